#include "richtext/elinktextbrowser.h"

#include "base/tracing.h"
#include "platform/regularfile.h"
#include "richtext/autolink.h"
#include "richtext/markupsafety.h"
#include "richtext/pictureintake.h"
#include "richtext/pictureresources.h"
#include "richtext/rzopendefaultbrowser.h"
#include "richtext/textareaaccessible.h"
#include "store/picturestore.h"
#include "ui/userprompt.h"

#include <QAction>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <memory>

namespace {
const QString asteriskLine(60, QLatin1Char('*'));
}

ELinkTextBrowser::ELinkTextBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Read over AT-SPI as editable text, not as the static text of a browser.
    static const bool presented = (TextAreaAccessible::registerClass("ELinkTextBrowser"), true);
    Q_UNUSED(presented)
    setReadOnly(false);
    // A text browser keeps no undo history by default; an editor must.
    setUndoRedoEnabled(true);
    // Links are handed out, never loaded here; clicks reach anchorClicked only.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    keepLinksClickable();

    connect(this, &QTextBrowser::anchorClicked, this, &ELinkTextBrowser::openExternalBrowser);
    connect(document(), &QTextDocument::contentsChange, this,
            &ELinkTextBrowser::keepTextOutOfRules);

    const auto makeAction = [this](const QString &text, const QKeySequence &shortcut,
                                   void (ELinkTextBrowser::*slot)()) {
        auto *action = new QAction(text, this);
        action->setShortcut(shortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    boldAction =
        makeAction(tr("Bold"), QKeySequence(Qt::CTRL | Qt::Key_B), &ELinkTextBrowser::boldText);
    italicizeAction = makeAction(tr("Italicize"), QKeySequence(Qt::CTRL | Qt::Key_I),
                                 &ELinkTextBrowser::italicizeText);
    underlineAction = makeAction(tr("Underline"), QKeySequence(Qt::CTRL | Qt::Key_U),
                                 &ELinkTextBrowser::underlineText);
    strikeoutAction = makeAction(tr("Strike Through"), QKeySequence(Qt::CTRL | Qt::Key_S),
                                 &ELinkTextBrowser::strikeoutText);
}

bool ELinkTextBrowser::showStoredHtml(const QString &html)
{
    if (MarkupSafety::isSafeToLayOut(html)) {
        setHtml(html);
        setToolTip(QString());
        return true;
    }
    qCWarning(lcRichText) << "ELinkTextBrowser: markup nested too deeply to lay out, showing"
                          << html.size() << "characters as plain text";
    setPlainText(MarkupSafety::plainText(html));
    setToolTip(tr("This text was stored with formatting nested too deeply to show; it is shown "
                  "as plain text."));
    return false;
}

QImage ELinkTextBrowser::placeholderPicture()
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&picture);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, 15, 15);
    painter.drawLine(3, 3, 12, 12);
    painter.drawLine(12, 3, 3, 12);
    return picture;
}

QVariant ELinkTextBrowser::loadResource(int type, const QUrl &name)
{
    if (const std::optional<QVariant> stored = storedPicture(type, name))
        return *stored;
    const QString scheme = name.scheme();
    if (scheme == u"qrc" || scheme == u"data" || name.path().startsWith(u':'))
        return QTextBrowser::loadResource(type, name);
    std::optional<QByteArray> data;
    if (scheme.isEmpty())
        data = RegularFile::read(QDir::current().absoluteFilePath(name.path()));
    else if (scheme == u"file")
        data = RegularFile::read(name.toLocalFile());
    if (type != QTextDocument::ImageResource)
        return data.value_or(QByteArray("")); // never null: the document would read it itself
    // A picture is decoded here: when the data given to the layout is no
    // picture, it loads the source by itself, without any check.
    const QImage picture = data ? QImage::fromData(*data) : QImage();
    return picture.isNull() ? placeholderPicture() : picture;
}

std::optional<QVariant> ELinkTextBrowser::storedPicture(int type, const QUrl &name) const
{
    if (!PictureResources::isStoredReference(name))
        return std::nullopt;
    if (type != QTextDocument::ImageResource)
        return QVariant(QByteArray(""));
    const QImage picture = PictureResources::picture(name).value_or(QImage());
    return picture.isNull() ? placeholderPicture() : picture;
}

bool ELinkTextBrowser::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasImage() || QTextBrowser::canInsertFromMimeData(source);
}

bool ELinkTextBrowser::insertPictures(const QMimeData *source)
{
    if (isReadOnly())
        return false;
    QStringList tooLarge;
    QString html;
    // Picture files (from a file manager): each one kept, or linked when too
    // large. A list with anything else in it is pasted as it would be.
    const QList<QUrl> urls = source->urls();
    bool allPictures = !urls.isEmpty();
    for (const QUrl &url : urls) {
        const QString file = url.isLocalFile() ? url.toLocalFile() : QString();
        // Only regular files are looked into: a FIFO would block the reader.
        allPictures = allPictures && !file.isEmpty() && QFileInfo(file).isFile() &&
                      !QImageReader::imageFormat(file).isEmpty();
    }
    if (allPictures) {
        for (const QUrl &url : urls) {
            const QString file = url.toLocalFile();
            const PictureIntake::FileIntake intake = PictureIntake::takeInFile(file);
            if (intake.outcome == PictureIntake::Outcome::TooLarge)
                tooLarge.append(file);
            const QString picture = intake.outcome == PictureIntake::Outcome::Taken
                                        ? PictureStore::imageSource(intake.hash)
                                        : file;
            html += QStringLiteral("<img src=\"%1\">").arg(picture.toHtmlEscaped());
        }
    } else if (source->hasImage()) {
        // Picture data (a screenshot, a picture copied in another program)
        // is kept as PNG.
        const QImage image = qvariant_cast<QImage>(source->imageData());
        QByteArray png;
        QBuffer buffer(&png);
        if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return false;
        if (png.size() > PictureIntake::kMaxPictureBytes) {
            UserPrompt::notify(this, PictureIntake::tooLargeTitle(),
                               tr("<p>The pasted picture is larger than 20 MB as PNG and was not "
                                  "inserted. Save it as a smaller file and insert that.</p>"));
            return true;
        }
        html = QStringLiteral("<img src=\"%1\">")
                   .arg(PictureStore::imageSource(PictureStore::instance().add(png)));
    } else if (source->hasHtml() &&
               source->html().contains(QLatin1String("<img"), Qt::CaseInsensitive)) {
        // Rich text from elsewhere showing picture files.
        const PictureIntake::Result taken = PictureIntake::takeIn(source->html());
        if (taken.taken == 0 && taken.tooLarge.isEmpty())
            return false;
        html = taken.html;
        tooLarge = taken.tooLarge;
    } else {
        return false;
    }
    textCursor().insertFragment(QTextDocumentFragment::fromHtml(html, document()));
    ensureCursorVisible();
    if (!tooLarge.isEmpty())
        UserPrompt::notify(this, PictureIntake::tooLargeTitle(),
                           PictureIntake::tooLargeMessage(tooLarge));
    return true;
}

void ELinkTextBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType)
{
    qCDebug(lcRichText).noquote() << "ELinkTextBrowser::setSource(" << name.toString() << ")";
}

void ELinkTextBrowser::openExternalBrowser(const QUrl &link)
{
    qCDebug(lcRichText).noquote() << "ELinkTextBrowser::openExternalBrowser(" << link.toString()
                                  << ")";
    RZOpenDefaultBrowser::url(link.toString(), window());
}

void ELinkTextBrowser::contextMenuEvent(QContextMenuEvent *event)
{
    qCDebug(lcRichText).noquote() << asteriskLine;
    qCDebug(lcRichText).noquote() << "ELinkTextBrowser::contextMenuEvent()";

    const std::unique_ptr<QMenu> menu = buildContextMenu(event->pos());

    qCDebug(lcRichText).noquote() << "Menu Actions:";
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        qCDebug(lcRichText).noquote()
            << "  +" << QLatin1Char('"') + action->text() + QLatin1Char('"');
    qCDebug(lcRichText) << actions;
    qCDebug(lcRichText).noquote() << asteriskLine;

    menu->exec(event->globalPos());
}

void ELinkTextBrowser::changeEvent(QEvent *event)
{
    QTextBrowser::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange) {
        keepLinksClickable();
        // A read-only text (a locked note) takes no formatting: the toggles
        // and their shortcuts go dark with it.
        for (QAction *action : {boldAction, italicizeAction, underlineAction, strikeoutAction}) {
            if (action)
                action->setEnabled(!isReadOnly());
        }
    }
}

void ELinkTextBrowser::inputMethodEvent(QInputMethodEvent *event)
{
    // The toolkit lets a read-only text area commit input-method text when
    // its text is selectable.
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    QTextBrowser::inputMethodEvent(event);
}

// An editable text area takes no link clicks by default; a note's links must
// open whether or not the note is locked.
void ELinkTextBrowser::keepLinksClickable()
{
    if (!isReadOnly())
        setTextInteractionFlags(Qt::TextEditorInteraction | Qt::LinksAccessibleByMouse);
}

template <typename Change> void ELinkTextBrowser::toggleOnSelection(Change change)
{
    if (isReadOnly())
        return;
    const bool flipped = flipSelection(false);
    change();
    if (flipped)
        flipSelection(true);
    setFocus(Qt::OtherFocusReason);
}

void ELinkTextBrowser::boldText()
{
    // With a forward selection the weight read is that of its last character.
    toggleOnSelection(
        [this] { setFontWeight(fontWeight() == QFont::Bold ? QFont::Normal : QFont::Bold); });
}

void ELinkTextBrowser::italicizeText()
{
    toggleOnSelection([this] { setFontItalic(!fontItalic()); });
}

void ELinkTextBrowser::underlineText()
{
    toggleOnSelection([this] { setFontUnderline(!fontUnderline()); });
}

void ELinkTextBrowser::strikeoutText()
{
    toggleOnSelection([this] {
        QTextCharFormat strikeout;
        strikeout.setFontStrikeOut(!textCursor().charFormat().fontStrikeOut());
        mergeCurrentCharFormat(strikeout);
    });
}

bool ELinkTextBrowser::flipSelection(bool toBackward)
{
    QTextCursor cursor = textCursor();
    if (cursor.selectedText().isEmpty())
        return false;
    const int position = cursor.position();
    const int anchor = cursor.anchor();
    if (toBackward) {
        if (position < anchor)
            return false;
        // Positions, not character steps: a step over a surrogate pair or a
        // grapheme cluster would cover more than one position.
        cursor.setPosition(position);
        cursor.setPosition(anchor, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
        qCDebug(lcRichText) << "Flipped from forward to backward";
        return true;
    }
    if (anchor < position)
        return false;
    cursor.setPosition(position);
    cursor.setPosition(anchor, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    qCDebug(lcRichText) << "Flipped from backward to forward";
    return true;
}

void ELinkTextBrowser::keepTextOutOfRules(int position, int, int charsAdded)
{
    if (charsAdded <= 0 || movingTextOutOfRule)
        return;
    QTextDocument *text = document();
    const QTextBlock last = text->findBlock(position + charsAdded);
    for (QTextBlock block = text->findBlock(position); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (block.length() > 1 &&
            format.hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)) {
            movingTextOutOfRule = true;
            QTextBlockFormat textFormat = format;
            textFormat.clearProperty(QTextFormat::BlockTrailingHorizontalRulerWidth);
            QTextCursor cursor(block);
            // One undo step with the edit that put the text there.
            cursor.joinPreviousEditBlock();
            cursor.insertBlock(textFormat, cursor.charFormat());
            cursor.endEditBlock();
            movingTextOutOfRule = false;
            qCDebug(lcRichText) << "Moved text out of a rule's paragraph at" << block.position();
        }
        if (block == last)
            break;
    }
}

namespace {

// An entry text as the toolkit's own text menu writes it: the text, then its
// shortcut after a tab where the desktop shows shortcuts in menus.
QString entryText(const QString &text, QKeySequence::StandardKey key)
{
    const QKeySequence shortcut(key);
    if (QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus) ||
        !QGuiApplication::styleHints()->showShortcutsInContextMenus() || shortcut.isEmpty())
        return text;
    return text + QLatin1Char('\t') + shortcut.toString(QKeySequence::NativeText);
}

} // namespace

std::unique_ptr<QMenu> ELinkTextBrowser::buildContextMenu(const QPoint &position)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu(position));
    if (!menu)
        menu = std::make_unique<QMenu>(this);
    if (isReadOnly()) {
        // The toolkit leaves the editing entries out of a read-only text's
        // menu; a locked note shows them, dark, so the menu keeps its shape.
        const auto disabledEntry = [&menu](const QString &text) {
            auto *entry = new QAction(text, menu.get());
            entry->setEnabled(false);
            return entry;
        };
        const QList<QAction *> standard = menu->actions();
        QAction *first = standard.value(0);
        menu->insertAction(first, disabledEntry(entryText(tr("&Undo"), QKeySequence::Undo)));
        menu->insertAction(first, disabledEntry(entryText(tr("&Redo"), QKeySequence::Redo)));
        menu->insertSeparator(first);
        menu->insertAction(first, disabledEntry(entryText(tr("Cu&t"), QKeySequence::Cut)));
        // Paste and Delete follow the copy entries, before the separator
        // that leads to Select All.
        QAction *separator = nullptr;
        for (QAction *action : standard) {
            if (action->isSeparator()) {
                separator = action;
                break;
            }
        }
        menu->insertAction(separator, disabledEntry(entryText(tr("&Paste"), QKeySequence::Paste)));
        menu->insertAction(separator, disabledEntry(tr("Delete")));
    }
    menu->addSeparator();
    menu->addAction(boldAction);
    menu->addAction(italicizeAction);
    menu->addAction(underlineAction);
    menu->addAction(strikeoutAction);
    return menu;
}

void ELinkTextBrowser::replaceHtmlUndoably(const QString &html)
{
    if (!MarkupSafety::isSafeToLayOut(html)) {
        showStoredHtml(html);
        return;
    }
    // Parented to the browser, the scratch copy would read any picture
    // through loadResource() like the text itself.
    QTextDocument replacement(this);
    replacement.setDefaultFont(document()->defaultFont());
    replacement.setHtml(html);
    const QTextBlock first = replacement.firstBlock();
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    // An empty replacement brings no paragraph of its own: the one left
    // takes its look, so the result is what loading the HTML would give.
    cursor.setBlockFormat(first.blockFormat());
    cursor.setCharFormat(first.charFormat());
    cursor.insertFragment(QTextDocumentFragment(&replacement));
    cursor.endEditBlock();
    setToolTip(QString());
}

void ELinkTextBrowser::keyPressEvent(QKeyEvent *event)
{
    if (handleHistoryKey(event))
        return;
    const bool finishesWord = autoLinking && !isReadOnly() &&
                              (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                               (!event->text().isEmpty() && event->text().front().isSpace()));
    const int revision = document()->revision();
    QTextBrowser::keyPressEvent(event);
    if (finishesWord && document()->revision() != revision)
        linkFinishedAddress();
}

bool ELinkTextBrowser::handleHistoryKey(QKeyEvent *event)
{
    const QKeyCombination key = event->keyCombination();
    const bool undoKey = key == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
                         event->matches(QKeySequence::Undo);
    const bool redoKey =
        key == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) ||
        key == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        event->matches(QKeySequence::Redo);
    if (!undoKey && !redoKey)
        return false;
    event->accept();
    if (isReadOnly())
        return true; // a locked text stays as it is, its history included
    if (redoKey)
        redo();
    else
        undo();
    ensureCursorVisible();
    return true;
}

void ELinkTextBrowser::linkFinishedAddress()
{
    const QTextCursor cursor = textCursor();
    int end = cursor.position() - 1; // the blank just typed
    if (cursor.atBlockStart()) {
        const QTextBlock previous = cursor.block().previous();
        if (!previous.isValid())
            return;
        end = previous.position() + previous.length() - 1;
    }
    if (AutoLink::linkAddressBefore(document(), end, palette().link()))
        qCDebug(lcRichText) << "Made a link of the address ending at" << end;
}

void ELinkTextBrowser::insertFromMimeData(const QMimeData *source)
{
    // Markup from another program nested deeper than the layout can take
    // goes in as its text, like a note's own text would be shown.
    if (source->hasHtml() && !MarkupSafety::isSafeToLayOut(source->html())) {
        QMimeData text;
        text.setText(MarkupSafety::plainText(source->html()));
        insertFromMimeData(&text);
        return;
    }
    if (insertPictures(source))
        return;
    const int start = textCursor().selectionStart();
    const int revision = document()->revision();
    QTextBrowser::insertFromMimeData(source);
    if (!autoLinking || isReadOnly() || document()->revision() == revision)
        return;
    const int made =
        AutoLink::linkAddressesIn(document(), start, textCursor().position(), palette().link());
    if (made > 0)
        qCDebug(lcRichText) << "Made" << made << "links in pasted text";
}
