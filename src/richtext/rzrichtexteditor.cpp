#include "richtext/rzrichtexteditor.h"

#include "base/apppaths.h"
#include "base/tracing.h"
#include "richtext/displaymodeconversion.h"
#include "richtext/editorpictures.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/hyperlinkdialog.h"
#include "richtext/imagedialog.h"
#include "richtext/markupsafety.h"
#include "richtext/pictureintake.h"
#include "richtext/rzopendefaultbrowser.h"
#include "richtext/textstructure.h"
#include "store/picturestore.h"
#include "ui/colorswatch.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QSpacerItem>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

namespace {

const QString kMoreColors = QStringLiteral("more");
const QString kCustomColor = QStringLiteral("Custom");

struct ColorEntry
{
    const char *swatch;
    const char *text;
    const char *value;
};

const ColorEntry kColors[] = {
    {"black", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Black"), "#000000"},
    {"blue", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Blue"), "#0000ff"},
    {"cyan", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Cyan"), "#00ffff"},
    {"green", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Green"), "#00ff00"},
    {"magenta", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Magenta"), "#ff00ff"},
    {"orange", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Orange"), "#ffa500"},
    {"pink", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Pink"), "#ffc0cb"},
    {"purple", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Purple"), "#800080"},
    {"red", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Red"), "#ff0000"},
    {"white", QT_TRANSLATE_NOOP("rz_RichTextEditor", "White"), "#ffffff"},
    {"yellow", QT_TRANSLATE_NOOP("rz_RichTextEditor", "Yellow"), "#ffff00"},
};

const char *const kAlignments[] = {
    QT_TRANSLATE_NOOP("rz_RichTextEditor", "Left"),
    QT_TRANSLATE_NOOP("rz_RichTextEditor", "Center"),
    QT_TRANSLATE_NOOP("rz_RichTextEditor", "Right"),
    QT_TRANSLATE_NOOP("rz_RichTextEditor", "Justify"),
};
const Qt::Alignment kAlignmentValues[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                          Qt::AlignJustify};

QToolButton *toolButtonFor(QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    return button;
}

} // namespace

rz_RichTextEditor::rz_RichTextEditor(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setWindowTitle(tr("Notarella - Rich Text Editor"));
    iconDirectory = AppPaths::dataFilesDirectory() + QStringLiteral("/icons/");
    displayingFunctionalObjects = true;

    createControls();
    layOutControls();
    fillControls();
    describeControls();
    connectControls();

    currentCharFormatChanged(textBrowser->currentCharFormat());
    cursorPositionChanged();
    resize(640, 460);
}

void rz_RichTextEditor::createControls()
{
    fontFamilyComboBox = new QComboBox(this);
    fontSizeComboBox = new QComboBox(this);
    fontColorComboBox = new QComboBox(this);
    alignComboBox = new QComboBox(this);
    insertItemComboBox = new QComboBox(this);

    boldAction = new QAction(QIcon(EditorPictures::bold()), tr("Bold"), this);
    italicAction = new QAction(QIcon(EditorPictures::italic()), tr("Italic"), this);
    underlineAction = new QAction(QIcon(EditorPictures::underline()), tr("Underline"), this);
    strikeoutAction = new QAction(QIcon(EditorPictures::strikeout()), tr("Strike Through"), this);
    toggleDisplayModeAction =
        new QAction(QIcon(EditorPictures::functionalDisplay()), tr("&Toggle Display Mode"), this);
    boldButton = toolButtonFor(boldAction, this);
    italicButton = toolButtonFor(italicAction, this);
    underlineButton = toolButtonFor(underlineAction, this);
    strikeoutButton = toolButtonFor(strikeoutAction, this);
    toggleDisplayModeButton = toolButtonFor(toggleDisplayModeAction, this);
    insertIconButton = new QToolButton(this);
    iconMenu = new QMenu(this);
    iconMenu->setToolTipsVisible(true); // the name to type as a token
    insertIconButton->setMenu(iconMenu);

    textBrowser = new ELinkTextBrowser(this);
    helpButton = new QPushButton(tr("&Help"), this);
    okButton = new QPushButton(tr("&OK"), this);
    cancelButton = new QPushButton(tr("&Cancel"), this);
    okButton->setDefault(true);

    // Object names let the editor's parts be found by name, e.g. in tests.
    const std::pair<QObject *, const char *> names[] = {
        {textBrowser, "textBrowser"},
        {fontFamilyComboBox, "fontFamilyComboBox"},
        {fontSizeComboBox, "fontSizeComboBox"},
        {fontColorComboBox, "fontColorComboBox"},
        {boldAction, "boldAction"},
        {italicAction, "italicAction"},
        {underlineAction, "underlineAction"},
        {strikeoutAction, "strikeoutAction"},
        {toggleDisplayModeAction, "toggleDisplayModeAction"},
        {boldButton, "boldButton"},
        {italicButton, "italicButton"},
        {underlineButton, "underlineButton"},
        {strikeoutButton, "strikeoutButton"},
        {toggleDisplayModeButton, "toggleDisplayModeButton"},
        {alignComboBox, "alignComboBox"},
        {insertIconButton, "insertIconButton"},
        {iconMenu, "iconMenu"},
        {insertItemComboBox, "insertItemComboBox"},
        {helpButton, "helpButton"},
        {okButton, "okButton"},
        {cancelButton, "cancelButton"},
    };
    for (const auto &[object, name] : names)
        object->setObjectName(QLatin1String(name));
}

void rz_RichTextEditor::layOutControls()
{
    auto *layout = new QVBoxLayout(this);
    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(fontFamilyComboBox);
    fontRow->addWidget(fontSizeComboBox);
    fontRow->addWidget(fontColorComboBox);
    auto *styleRow = new QHBoxLayout;
    for (QWidget *widget :
         {static_cast<QWidget *>(boldButton), static_cast<QWidget *>(italicButton),
          static_cast<QWidget *>(underlineButton), static_cast<QWidget *>(strikeoutButton),
          static_cast<QWidget *>(alignComboBox), static_cast<QWidget *>(insertIconButton),
          static_cast<QWidget *>(insertItemComboBox)})
        styleRow->addWidget(widget);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addWidget(toggleDisplayModeButton);
    buttonRow->addWidget(helpButton);
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);
    layout->addLayout(fontRow);
    layout->addLayout(styleRow);
    layout->addWidget(textBrowser);
    layout->addLayout(buttonRow);
    editingControls = {fontFamilyComboBox, fontSizeComboBox,  fontColorComboBox, boldButton,
                       italicButton,       underlineButton,   strikeoutButton,   alignComboBox,
                       insertIconButton,   insertItemComboBox};
}

void rz_RichTextEditor::fillControls()
{
    for (QComboBox *comboBox : {fontFamilyComboBox, fontSizeComboBox, fontColorComboBox,
                                alignComboBox, insertItemComboBox})
        comboBox->setEditable(false);
    fontFamilyComboBox->addItems(QFontDatabase::families());
    const QList<int> sizes = QFontDatabase::standardSizes();
    for (const int size : sizes)
        fontSizeComboBox->addItem(QString::number(size));
    for (const ColorEntry &entry : kColors)
        fontColorComboBox->addItem(ColorSwatch::pixmap(QLatin1String(entry.swatch)), tr(entry.text),
                                   QLatin1String(entry.value));
    fontColorComboBox->addItem(tr("More..."), kMoreColors);
    for (int i = 0; i < 4; ++i)
        alignComboBox->addItem(EditorPictures::alignment(kAlignmentValues[i]), tr(kAlignments[i]));
    insertItemComboBox->addItems(
        {tr("Insert..."), tr("Horizontal Line"), tr("Hyperlink"), tr("Image"), tr("List")});
    fillIconMenu();

    for (QAction *action :
         {boldAction, italicAction, underlineAction, strikeoutAction, toggleDisplayModeAction})
        action->setCheckable(true);
    insertIconButton->setPopupMode(QToolButton::MenuButtonPopup);
}

void rz_RichTextEditor::describeControls()
{
    fontFamilyComboBox->setToolTip(tr("Font"));
    fontFamilyComboBox->setWhatsThis(
        tr("<p><b>Font</b></p><p>This indicates the current font at the cursor.  You can change "
           "the font of the current word or selection by using the drop-down menu.</p>"));
    fontSizeComboBox->setToolTip(tr("Font Size"));
    fontSizeComboBox->setWhatsThis(
        tr("<p><b>Font Size</b></p><p>This indicates the current font size at the cursor.  You "
           "can change the font size of the current word or selection by using the drop-down "
           "menu.</p>"));
    fontColorComboBox->setToolTip(tr("Font Color"));
    fontColorComboBox->setWhatsThis(
        tr("<p><b>Font Color</b></p><p>This indicates the current font color at the cursor.  "
           "You can change the font color of the current word or selection by using the "
           "drop-down menu.</p>"));
    boldAction->setToolTip(tr("Bold - Ctrl+B"));
    boldAction->setWhatsThis(
        tr("<p><b>Bold - Ctrl+B</b></p><p>This indicates if the character at the cursor is "
           "<b>bolded</b>.  You can bold the current word or selection by pressing this "
           "button.</p>"));
    italicAction->setToolTip(tr("Italic - Ctrl+I"));
    italicAction->setWhatsThis(
        tr("<p><b>Italic - Ctrl+I</b></p><p>This indicates if the character at the cursor is "
           "<i>italicized</i>.  You can italicize the current word or selection by pressing this "
           "button.</p>"));
    underlineAction->setToolTip(tr("Underline - Ctrl+U"));
    underlineAction->setWhatsThis(
        tr("<p><b>Underline - Ctrl+U</b></p><p>This indicates if the character at the cursor is "
           "<u>underlined</u>.  You can underline the current word or selection by pressing this "
           "button.</p>"));
    strikeoutAction->setToolTip(tr("Strike Out - Ctrl+S"));
    strikeoutAction->setWhatsThis(
        tr("<p><b>Strike Out - Ctrl+S</b></p><p>This indicates if the character at the cursor "
           "is <s>struck out</s>.  You can strike out the current word or selection by pressing "
           "this button.</p>"));
    alignComboBox->setToolTip(tr("Align Paragraph"));
    alignComboBox->setWhatsThis(tr("<p><b>Align Paragraph</b></p><p>This drop-down menu displays "
                                   "and controls the alignment of the current paragraph."));
    insertIconButton->setToolTip(tr("Insert Icon"));
    insertIconButton->setWhatsThis(
        tr("<p><b>Insert Icon</b></p><p>Pressing this button will insert an icon into the "
           "sticky at the cursor position.  Use the drop-down menu to select which icon the "
           "button will insert.</p>"));
    insertItemComboBox->setToolTip(tr("Insert Item"));
    insertItemComboBox->setWhatsThis(tr("<p><b>Insert Item</b></p><p>Use this drop-down menu to "
                                        "insert hyperlinks, images, or lists into your "
                                        "sticky.</p>"));
    textBrowser->setWhatsThis(
        tr("<p><b>Rich Text Editor</b></p><p>Edit the sticky here.  You may <b>right-click</b> "
           "the mouse in this area to gain access to many common editing features.</p>"));
    // A screen reader names each control by what it does, not by the value
    // it shows (or, for the icon button, by nothing at all).
    fontFamilyComboBox->setAccessibleName(tr("Font"));
    fontSizeComboBox->setAccessibleName(tr("Font Size"));
    fontColorComboBox->setAccessibleName(tr("Font Color"));
    alignComboBox->setAccessibleName(tr("Align Paragraph"));
    insertIconButton->setAccessibleName(tr("Insert Icon"));
    insertItemComboBox->setAccessibleName(tr("Insert Item"));
    textBrowser->setAccessibleName(tr("Note text"));
    toggleDisplayModeAction->setToolTip(tr("Toggle Display Mode"));
    toggleDisplayModeAction->setWhatsThis(
        tr("<p><b>Toggle Display Mode</b></p><p>Hyperlinks, images, and other objects can "
           "sometimes be difficult to work with in a text editing environment.  By pressing this "
           "button you can toggle between viewing them as functional objects and as html-like "
           "tags.</p>"));
    okButton->setWhatsThis(tr("<p><b>OK Button</b></p><p>This button saves your changes to the "
                              "sticky, and closes the Rich Text Editor.</p>"));
    cancelButton->setWhatsThis(tr("<p><b>Cancel Button</b></p><p>This button discards your "
                                  "changes to the sticky, and closes the Rich Text Editor.</p>"));
    helpButton->setWhatsThis(
        tr("<p><b>Help Button</b></p><p>This button opens the Notarella documentation, and takes "
           "you directly to the section on Rich Text Editor usage.</p>"));
}

void rz_RichTextEditor::connectControls()
{
    connect(fontFamilyComboBox, &QComboBox::textActivated, this,
            &rz_RichTextEditor::selectFontFamily);
    connect(fontSizeComboBox, &QComboBox::textActivated, this, &rz_RichTextEditor::selectFontSize);
    connect(fontColorComboBox, &QComboBox::activated, this, &rz_RichTextEditor::selectFontColor);
    connect(boldAction, &QAction::triggered, textBrowser, &ELinkTextBrowser::boldText);
    connect(italicAction, &QAction::triggered, textBrowser, &ELinkTextBrowser::italicizeText);
    connect(underlineAction, &QAction::triggered, textBrowser, &ELinkTextBrowser::underlineText);
    connect(strikeoutAction, &QAction::triggered, textBrowser, &ELinkTextBrowser::strikeoutText);
    connect(alignComboBox, &QComboBox::textActivated, this, &rz_RichTextEditor::alignText);
    // The menu reports its actions whether they are chosen from it or
    // triggered as the button's default action.
    connect(iconMenu, &QMenu::triggered, this, &rz_RichTextEditor::insertIcon);
    connect(insertItemComboBox, &QComboBox::textActivated, this, &rz_RichTextEditor::insertItem);
    connect(toggleDisplayModeAction, &QAction::triggered, this,
            &rz_RichTextEditor::toggleDisplayMode);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, &rz_RichTextEditor::showHelp);
    connect(textBrowser, &QTextEdit::currentCharFormatChanged, this,
            &rz_RichTextEditor::currentCharFormatChanged);
    connect(textBrowser, &QTextEdit::cursorPositionChanged, this,
            &rz_RichTextEditor::cursorPositionChanged);
}

void rz_RichTextEditor::fillIconMenu()
{
    // Only names ending in ".png" exactly: those are the files icon tokens name.
    const QFileInfoList files =
        QDir(iconDirectory)
            .entryInfoList({QStringLiteral("*.png")},
                           QDir::Files | QDir::NoSymLinks | QDir::CaseSensitive,
                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &file : files) {
        auto *action = new QAction(QIcon(file.absoluteFilePath()), QString(), iconMenu);
        action->setData(file.absoluteFilePath());
        action->setToolTip(file.completeBaseName());
        iconMenu->addAction(action);
    }
    if (!insertIconButton->defaultAction() && !iconMenu->actions().isEmpty())
        insertIconButton->setDefaultAction(iconMenu->actions().constFirst());
}

void rz_RichTextEditor::setHtml(const QString &html)
{
    if (textBrowser->showStoredHtml(html))
        return;
    // Laying such markup out would freeze or crash the program: the text is
    // edited without its formatting, and the user is told before the editor
    // opens.
    // A locked note only shows its text and stays as it is.
    const QString outcome =
        textBrowser->isReadOnly()
            ? tr("The editor shows its text only; the sticky is locked and "
                 "stays as it was.")
            : tr("The editor shows its text only; with OK the sticky keeps the "
                 "text without its formatting, with Cancel it stays as it was.");
    UserPrompt::warning(this, tr("Formatting Not Shown"),
                        tr("<p>The formatting of this sticky is nested too deeply to be shown. "
                           "%1</p>")
                            .arg(outcome),
                        QMessageBox::Ok, QMessageBox::Ok);
}

void rz_RichTextEditor::setTextBackground(const QColor &color)
{
    QPalette palette = QApplication::palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, QPalette::Base, QBrush(color));
    textBrowser->setPalette(palette);
}

void rz_RichTextEditor::setReadOnly(bool readOnly)
{
    textBrowser->setReadOnly(readOnly);
    for (QWidget *control : std::as_const(editingControls))
        control->setEnabled(!readOnly);
}

QString rz_RichTextEditor::html()
{
    if (!displayingFunctionalObjects)
        toggleDisplayMode();
    const QString document = textBrowser->toHtml();
    qCDebug(lcRichText).noquote() << QLatin1Char('"') + document + QLatin1Char('"');
    return document;
}

void rz_RichTextEditor::selectFontFamily(const QString &i_fontFamily)
{
    textBrowser->setFontFamily(i_fontFamily);
    textBrowser->setFocus(Qt::OtherFocusReason);
}

void rz_RichTextEditor::selectFontSize(const QString &i_fontSize)
{
    bool isNumber = false;
    const double size = i_fontSize.toDouble(&isNumber);
    if (isNumber && size > 0)
        textBrowser->setFontPointSize(size);
    textBrowser->setFocus(Qt::OtherFocusReason);
}

void rz_RichTextEditor::selectFontColor(int i_index)
{
    QString value = fontColorComboBox->itemData(i_index).toString();
    if (value == kMoreColors) {
        const QColor chosen = StandardDialogs::getColor(Qt::black, this);
        if (!chosen.isValid()) {
            showFontColor(textBrowser->textCursor().charFormat().foreground().color().name());
            return;
        }
        value = chosen.name();
        showFontColor(value);
    }
    textBrowser->setTextColor(QColor(value));
    textBrowser->setFocus(Qt::OtherFocusReason);
}

void rz_RichTextEditor::showFontColor(const QString &color)
{
    const int custom =
        fontColorComboBox->findText(kCustomColor, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (custom >= 0)
        fontColorComboBox->removeItem(custom);
    const int listed =
        fontColorComboBox->findData(color, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (listed >= 0) {
        fontColorComboBox->setCurrentIndex(listed);
        return;
    }
    fontColorComboBox->insertItem(0, ColorSwatch::pixmap(color), kCustomColor, color);
    fontColorComboBox->setCurrentIndex(0);
}

void rz_RichTextEditor::alignText(const QString &i_alignment)
{
    for (int i = 0; i < 4; ++i) {
        if (i_alignment == tr(kAlignments[i]))
            textBrowser->setAlignment(kAlignmentValues[i]);
    }
    textBrowser->setFocus(Qt::OtherFocusReason);
}

void rz_RichTextEditor::insertIcon(QAction *i_action)
{
    if (!i_action || textBrowser->isReadOnly())
        return;
    insertIconButton->setDefaultAction(i_action);
    const QString path = i_action->data().toString();
    const QString fileName = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    // By name: the note finds it wherever the program runs.
    const QString source = PictureStore::iconSource(fileName);
    if (displayingFunctionalObjects) {
        textBrowser->insertHtml(QStringLiteral("<img src=\"%1\">").arg(source.toHtmlEscaped()));
    } else {
        const QString name = fileName.chopped(4);
        // A name a token cannot hold is inserted as the image's markup.
        textBrowser->insertPlainText(DisplayModeConversion::isTokenName(name)
                                         ? QLatin1Char(':') + name + QLatin1Char(':')
                                         : QStringLiteral("<img src=\"%1\" />").arg(source));
    }
    textBrowser->setFocus(Qt::OtherFocusReason);
}

void rz_RichTextEditor::insertFragment(const QString &html)
{
    if (!displayingFunctionalObjects) {
        textBrowser->insertPlainText(html);
        return;
    }
    // Text typed after an inserted link would otherwise become part of it.
    const QTextCharFormat formatBefore = textBrowser->currentCharFormat();
    textBrowser->insertHtml(html);
    textBrowser->setCurrentCharFormat(formatBefore);
}

// The chosen picture is kept with the note; one too large to keep stays a
// reference to its file, and the user is told.
void rz_RichTextEditor::insertPicture(const QString &html)
{
    const PictureIntake::Result taken = PictureIntake::takeIn(html, iconDirectory);
    insertFragment(taken.html);
    if (!taken.tooLarge.isEmpty())
        UserPrompt::notify(this, PictureIntake::tooLargeTitle(),
                           PictureIntake::tooLargeMessage(taken.tooLarge));
}

void rz_RichTextEditor::insertItem(const QString &i_item)
{
    textBrowser->setFocus(Qt::OtherFocusReason);
    if (insertItemComboBox->currentIndex() == 0)
        return;
    insertItemComboBox->setCurrentIndex(0);
    if (textBrowser->isReadOnly())
        return;

    if (i_item == tr("Horizontal Line")) {
        if (displayingFunctionalObjects) {
            QTextCursor cursor = textBrowser->textCursor();
            TextStructure::insertRule(cursor);
            textBrowser->setTextCursor(cursor);
        } else {
            textBrowser->insertPlainText(QStringLiteral("<hr />"));
        }
    } else if (i_item == tr("Hyperlink")) {
        auto dialog =
            std::make_unique<HyperlinkDialog>(textBrowser->textCursor().selectedText(), this);
        if (dialog->exec() == QDialog::Accepted)
            insertFragment(dialog->html());
    } else if (i_item == tr("Image")) {
        auto dialog = std::make_unique<ImageDialog>(this);
        if (dialog->exec() == QDialog::Accepted)
            insertPicture(dialog->html());
    } else if (i_item == tr("List")) {
        insertList();
    }
}

void rz_RichTextEditor::insertList()
{
    const QStringList choices = {tr("Bullet List (Disc)"),
                                 tr("Bullet List (Circle)"),
                                 tr("Bullet List (Square)"),
                                 tr("Ordered List (Decimal)"),
                                 tr("Ordered List (Alpha lower)"),
                                 tr("Ordered List (Alpha upper)"),
                                 tr("Remove List")};
    const std::optional<QString> choice =
        StandardDialogs::getItem(this, tr("List Type"), tr("List type:"), choices, 0);
    if (!choice || choice->isEmpty())
        return;
    QTextCursor cursor = textBrowser->textCursor();
    if (*choice == tr("Remove List")) {
        TextStructure::removeList(cursor);
    } else if (const auto style = TextStructure::listStyle(*choice)) {
        TextStructure::createList(cursor, *style);
    }
}

void rz_RichTextEditor::toggleDisplayMode()
{
    const bool toFunctional = !displayingFunctionalObjects;
    // The icon folder is read at each switch: a token names an icon as long
    // as its file is there.
    const QSet<QString> icons = DisplayModeConversion::iconNames(iconDirectory);
    const QString document = textBrowser->toHtml();
    const QString converted =
        toFunctional ? DisplayModeConversion::toFunctional(document, iconDirectory, icons)
                     : DisplayModeConversion::toMarkup(document, iconDirectory, icons);
    // Markup typed as text can turn into tags that nest too deeply to lay
    // out; then the text stays as it is, in the display it is in.
    if (!MarkupSafety::isSafeToLayOut(converted)) {
        qCWarning(lcRichText) << "rz_RichTextEditor: display switch refused, markup nested too "
                                 "deeply";
        toggleDisplayModeAction->setChecked(!displayingFunctionalObjects);
        UserPrompt::warning(this, tr("Display Not Switched"),
                            tr("<p>The markup in this text would nest too deeply to be shown as "
                               "live objects. The text stays as it is.</p>"),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    displayingFunctionalObjects = toFunctional;
    toggleDisplayModeAction->setChecked(!displayingFunctionalObjects);
    toggleDisplayModeAction->setIcon(displayingFunctionalObjects
                                         ? QIcon(EditorPictures::functionalDisplay())
                                         : QIcon(EditorPictures::markupDisplay()));
    textBrowser->setHtml(converted);
    // Markup is edited as text: an address in it stays text too.
    textBrowser->setAutoLinking(displayingFunctionalObjects);
    qCDebug(lcRichText) << "Displaying Functional Objects ==" << displayingFunctionalObjects;
}

void rz_RichTextEditor::currentCharFormatChanged(const QTextCharFormat &format)
{
    const QFont font = format.font();
    fontFamilyComboBox->setCurrentIndex(
        fontFamilyComboBox->findText(font.family(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    fontSizeComboBox->setCurrentIndex(fontSizeComboBox->findText(
        QString::number(font.pointSize()), Qt::MatchExactly | Qt::MatchCaseSensitive));
    boldAction->setChecked(font.weight() > QFont::Normal);
    italicAction->setChecked(font.style() != QFont::StyleNormal);
    underlineAction->setChecked(font.underline());
    strikeoutAction->setChecked(font.strikeOut());
    showFontColor(format.foreground().color().name());
}

void rz_RichTextEditor::cursorPositionChanged()
{
    // Absolute left or right is the same on the left-to-right note.
    const Qt::Alignment alignment =
        textBrowser->alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    if (alignment == Qt::Alignment() || alignment == Qt::AlignLeft)
        alignComboBox->setCurrentIndex(0);
    else if (alignment == Qt::AlignHCenter)
        alignComboBox->setCurrentIndex(1);
    else if (alignment == Qt::AlignRight)
        alignComboBox->setCurrentIndex(2);
    else if (alignment == Qt::AlignJustify)
        alignComboBox->setCurrentIndex(3);
}

void rz_RichTextEditor::showHelp()
{
    showHelpPage(QStringLiteral("Additional Components/Rich Text Editor.html"));
}
