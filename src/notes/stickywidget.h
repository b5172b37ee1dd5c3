#pragma once

#include "store/noterecord.h"

#include <QDateTime>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class ClickyLabel;
struct NoteSettings;
class QLabel;
class QMenu;
class ReminderDialog;
class ELinkTextBrowser;
class QTextBrowser;

// One note on the desktop: a frameless window in the note's colour with a
// header (creation date, reminder clock, padlock, hide button), the note's
// rich text and a size grip. Always-on-top and task-bar entry are the window
// flags themselves; position and size are the window geometry.
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
    StickyWidget(int stickyID, const QString &colorRGB, const QString &colorName,
                 const QDateTime &creationDate, const QDateTime &originalReminderDate,
                 const QDateTime &reminderDate, const QString &periodicMask, bool locked,
                 const QString &message, QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    // The same with the preferences already read, for building many notes.
    StickyWidget(int stickyID, const QString &colorRGB, const QString &colorName,
                 const QDateTime &creationDate, const QDateTime &originalReminderDate,
                 const QDateTime &reminderDate, const QString &periodicMask, bool locked,
                 const QString &message, const NoteSettings &settings, QWidget *parent = nullptr,
                 Qt::WindowFlags flags = {});
    ~StickyWidget() override;

    int stickyID() const { return m_stickyID; }
    QString colorRGB() const { return m_colorRGB; }
    QString colorName() const { return m_colorName; }
    QDateTime creationDate() const { return m_creationDate; }
    QDateTime reminderDate() const { return m_reminderDate; }
    QDateTime originalReminderDate() const { return m_originalReminderDate; }
    // Never a null text: a note without a pattern stores an empty one, not NULL.
    QString periodicMask() const
    {
        return m_periodicMask.isNull() ? QStringLiteral("") : m_periodicMask;
    }
    bool isLocked() const { return m_locked; }
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
    QString mouseMode() const { return m_mouseMode; }

    // Sets both reminder dates and the pattern, then refreshes the header.
    void setReminder(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                     const QString &periodicMask);

    // Puts the note at `position`, a place the program chose or stored: it
    // stays the note's known place where the platform reports none.
    void placeAt(const QPoint &position);
    // Where the note is, as it is to be stored (see NotePlacement).
    QPoint positionToStore() const;

    // Takes the values of `record` (all but its id, place and visibility) as
    // a change made elsewhere: the note keeps its window and is not raised.
    void takeValues(const NoteRecord &record);

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
    bool hasText() const { return m_textBrowser && !m_textPending; }
    void applyColor();
    void paintInColor();
    // Takes the colour if it is one; a colour text that names no colour
    // leaves the note as it is. Returns whether the note took it.
    bool changeColor(const QString &rgb, const QString &name);
    void changeToPreset(const QString &colorNameKey, const QString &rgbKey);
    ReminderDialog *openReminderDialog();
    void reminderAnswered(int result, int snoozeMinutes);
    void updateReminderIndicator();
    void applyWindowFlags(Qt::WindowFlags flags);

    int m_stickyID;
    QString m_colorRGB;
    QString m_colorName;
    QDateTime m_creationDate;
    QDateTime m_reminderDate;
    QDateTime m_originalReminderDate;
    QString m_periodicMask;
    bool m_locked;
    ELinkTextBrowser *m_textBrowser = nullptr;
    QLabel *m_creationDateLabel = nullptr;
    QLabel *m_reminderLabel = nullptr;
    QLabel *m_lockLabel = nullptr;
    ClickyLabel *m_hideLabel = nullptr;
    QPoint m_pressGlobalPosition;
    QPoint m_pressPosition;
    QString m_mouseMode;
    std::optional<QPoint> m_knownPosition;
    bool m_reminderDialogOpen = false;
    bool m_firstShow = true;
    bool m_textPending = false;
    // The user's date format, for a header made later.
    QString m_dateFormat;
    // The note's HTML. Without a text area it is the note's text itself;
    // with one it is kept until the document changes, since toHtml() of a
    // long note is costly and saves run every minute.
    mutable QString m_messageCache;
    mutable bool m_messageCacheValid = false;
    // The summary of a note without a text area, made when first asked for.
    mutable QString m_summaryCache;
    mutable bool m_summaryCacheValid = false;
};
