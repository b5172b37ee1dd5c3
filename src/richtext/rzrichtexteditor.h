#pragma once

#include <QDialog>
#include <QString>
#include <QTextCharFormat>

class ELinkTextBrowser;
class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QToolButton;

// The modal editor for one note's rich text: font, size and colour, bold,
// italic, underline and strike-through, alignment, icons, rules, links,
// images and lists. It switches between showing links, images and rules as
// live objects (functional display) and as visible markup (markup display).
// The opener loads the text with setHtml() and the note's colour with
// setTextBackground(), runs the dialog and, once accepted, takes html().
class rz_RichTextEditor : public QDialog
{
    Q_OBJECT

public:
    explicit rz_RichTextEditor(QWidget *parent = nullptr, Qt::WindowFlags flags = {});

    // Call before the dialog is shown, while it is in functional display.
    // Markup nested too deeply to lay out is shown as its plain text, after
    // a warning (the opener keeps the original unless the user presses OK).
    void setHtml(const QString &html);
    void setTextBackground(const QColor &color);
    // A read-only editor shows the text in both display modes but offers
    // nothing that changes it (a locked note).
    void setReadOnly(bool readOnly);
    // The document in functional display (switching back to it first; a
    // switch refused because its markup would nest too deeply leaves the
    // document as shown).
    QString html();

    // The editing area and the state of the display-mode switch, for the
    // note window's locking and for tests.
    ELinkTextBrowser *editingArea() const { return textBrowser; }
    bool isDisplayingFunctionalObjects() const { return displayingFunctionalObjects; }

private slots:
    void selectFontFamily(const QString &i_fontFamily);
    void selectFontSize(const QString &i_fontSize);
    void selectFontColor(int i_index);
    void alignText(const QString &i_alignment);
    void insertIcon(QAction *i_action);
    void insertItem(const QString &i_item);
    void toggleDisplayMode();
    void currentCharFormatChanged(const QTextCharFormat &format);
    void cursorPositionChanged();

private:
    // The constructor's steps, in this order.
    void createControls();
    void layOutControls();
    void fillControls();
    void describeControls();
    void connectControls();
    void showFontColor(const QString &color);
    void fillIconMenu();
    void insertFragment(const QString &html);
    void insertPicture(const QString &html);
    void insertList();
    void showHelp();

    ELinkTextBrowser *textBrowser = nullptr;
    QString iconDirectory;
    bool displayingFunctionalObjects = true;
    QComboBox *fontFamilyComboBox = nullptr;
    QComboBox *fontSizeComboBox = nullptr;
    QComboBox *fontColorComboBox = nullptr;
    QAction *boldAction = nullptr;
    QAction *italicAction = nullptr;
    QAction *underlineAction = nullptr;
    QAction *strikeoutAction = nullptr;
    QAction *toggleDisplayModeAction = nullptr;
    QToolButton *boldButton = nullptr;
    QToolButton *italicButton = nullptr;
    QToolButton *underlineButton = nullptr;
    QToolButton *strikeoutButton = nullptr;
    QToolButton *toggleDisplayModeButton = nullptr;
    QComboBox *alignComboBox = nullptr;
    QToolButton *insertIconButton = nullptr;
    QMenu *iconMenu = nullptr;
    QComboBox *insertItemComboBox = nullptr;
    QPushButton *helpButton = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QList<QWidget *> editingControls; // disabled while read-only
};
