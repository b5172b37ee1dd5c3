#pragma once

#include "model/note.h"
#include "notes/notedragging.h"

#include <QPointer>

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ClickyLabel;
class NoteBook;
struct NoteSettings;
class QLabel;
class QKeyEvent;
class QMenu;
class ReminderDialog;
class ELinkTextBrowser;
class QTextBrowser;

// One note on the desktop: a frameless window in the note's colour with a
// header (creation date, reminder clock, padlock, hide button), the note's
// rich text and a size grip. It shows its Note of the NoteBook and edits it
// there: a command changes the note in the book, and the window follows the
// book's announcement, whoever made the change.
//
// A note nobody has seen yet holds only its values and its HTML: the text
// document, the header and the child widgets are made when it is first shown
// or when something asks for its text area. People keep thousands of hidden
// notes, and each of them would otherwise cost a parsed document and a dozen
// widgets that no one looks at.
class StickyWidget : public QWidget
{
    Q_OBJECT
public:
    // The window of note `stickyID` of `book`, which must hold it.
    StickyWidget(NoteBook &book, int stickyID, const NoteSettings &settings,
                 QWidget *parent = nullptr);
    ~StickyWidget() override;

    int stickyID() const { return m_stickyID; }
    // The note this window shows, as the book holds it.
    const Note &note() const;
    QString colorRGB() const { return note().colorRGB; }
    QString colorName() const { return note().colorName; }
    QDateTime creationDate() const { return note().creationDate; }
    QDateTime reminderDate() const { return note().reminderDate; }
    QDateTime originalReminderDate() const { return note().originalReminderDate; }
    // Never a null text: a note without a pattern stores an empty one, not NULL.
    QString periodicMask() const
    {
        const QString &mask = note().periodicMask;
        return mask.isNull() ? QStringLiteral("") : mask;
    }
    bool isLocked() const { return note().locked; }
    // The note's text as an HTML document.
    QString message() const;
    // The note's text without formatting, as the search reads it. A note
    // without its text area yet gives the text of its markup, read without
    // building a document.
    QString plainText() const;
    // plainText() as a function that may run on another thread: the markup
    // of a note without text in its text area is read there.
    std::function<QString()> plainTextReader() const;
    // Whether the text area and header exist (the note was shown, or its text
    // area was asked for).
    bool hasContents() const { return m_textBrowser != nullptr; }

    bool isStaysOnTop() const;
    bool isToolWindow() const;

    QString summaryText() const;
    QString creationDateText() const;
    QString reminderStatusText() const;
    static QPixmap reminderPixmap();

    // The text area, for the commands and tests that work on the text; made
    // now if the note has none yet.
    QTextBrowser *textBrowser() const;

    // Showing the note gives it its contents first.
    void setVisible(bool visible) override;
    QString mouseMode() const { return m_dragging.mode(); }

    // Sets both reminder dates and the pattern, then refreshes the header.
    void setReminder(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                     const QString &periodicMask);

    // Puts the note at `position`, a place the program chose or stored: it
    // stays the note's known place where the platform reports none.
    void placeAt(const QPoint &position);
    // Where the note is, as it is to be stored (see NotePlacement).
    QPoint positionToStore() const;

    // The book changed `fields` of the note: the window shows them.
    void noteChanged(NoteFields fields);
    // The window no longer reports to the book (its note is gone or the
    // book was loaded anew); it shows `last` until it is destroyed.
    void detachFromBook(const Note &last);
    // Moves the note onto a screen in view when it is on none.
    void keepOnScreen();
    // Shows the note without taking the focus from the window before.
    void showWithoutActivating();

    // The note's context menu as it would open now; built afresh each time.
    std::unique_ptr<QMenu> createContextMenu();
    // Adds the colour preset entries and "More..." to `menu`, wired to this
    // note; preset names and colours are read from the settings now.
    void addColorEntries(QMenu *menu);
    // changeLanguage() with the preferences already read.
    void retranslate(const NoteSettings &settings);

public slots:
    void changeLanguage();
    void reminderCheck();
    void lostFocus();
    void lockSticky(bool status);
    void enableStaysOnTop(bool enable);
    void showInTaskBar(bool i_show);
    void hideSticky();
    void showReminderDialog();
    // Commands of the context menu, also offered by the control panel's list.
    void deleteSticky();
    void showColorChangeDialog();
    void changeToColorDefault();
    void changeToColorOne();
    void changeToColorTwo();
    void changeToColorThree();
    void changeToColorFour();
    void changeToColorFive();
    void print();

signals:
    void updateTableWidgetItems();
    void stickyDeleted(StickyWidget *deletedSticky);
    void controlPanelRequest();

private slots:
    void showRichTextEditor();
    void showControlPanel();
    void setCreationDate();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Makes the text area, header and the rest of the window's contents from
    // the values held; does nothing when they exist. The text goes into the
    // text area at once or with the first show event.
    enum class TextTiming
    {
        Now,
        AtFirstShow
    };
    void buildContents(TextTiming timing);
    void showStoredText();
    // The book holds another text than the one shown: the window shows it.
    void showChangedText();
    bool hasText() const { return m_textBrowser && !m_textPending; }
    void paintInColor();
    // Takes the colour if it is one; a colour text that names no colour
    // leaves the note as it is. Returns whether the note took it.
    bool changeColor(const QString &rgb, const QString &name);
    void changeToPreset(const QString &colorNameKey, const QString &rgbKey);
    ReminderDialog *openReminderDialog();
    void reminderAnswered(int result, int snoozeMinutes);
    void updateReminderIndicator();
    void applyWindowFlags(Qt::WindowFlags flags);
    // The keys of the text area that work the note without a mouse; true
    // when `event` was one of them.
    bool handleNoteKey(const QKeyEvent *event);
    // Opens the context menu at the text cursor, as the Menu key does.
    void openMenuFromKeyboard();
    // Puts the keyboard into the next shown note, forward or back.
    void focusNextNote(int step);

    // Makes a change of the note in the book; the window shows it when the
    // book announces it.
    void edit(NoteFields fields, const std::function<void(Note &)> &change);
    // Tells the book where the window is now.
    void reportPlace();
    void applyLock();
    void applyTaskBarAndOnTop();

    QPointer<NoteBook> m_book;
    // The note as it was when the window left the book (held apart: most
    // windows never leave it, and thousands of hidden ones are kept).
    std::unique_ptr<Note> m_detached;
    int m_stickyID;
    ELinkTextBrowser *m_textBrowser = nullptr;
    QLabel *m_creationDateLabel = nullptr;
    QLabel *m_reminderLabel = nullptr;
    QLabel *m_lockLabel = nullptr;
    ClickyLabel *m_hideLabel = nullptr;
    NoteDragging m_dragging;
    std::optional<QPoint> m_knownPosition;
    bool m_reminderDialogOpen = false;
    bool m_firstShow = true;
    bool m_textPending = false;
    // The user's date format, for a header made later.
    QString m_dateFormat;
    // Set while the window itself changes the text or the window flags, so
    // that what follows is not reported back to the book as the user's.
    bool m_applyingText = false;
    bool m_reportingText = false;
    bool m_typing = false;
    bool m_applyingFlags = false;
    bool m_reportingPlace = false;
    // The summary of a note without a text area, made when first asked for.
    mutable QString m_summaryCache;
    mutable bool m_summaryCacheValid = false;
};
