#include "notes/stickywidget.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "model/notebook.h"
#include "notes/clickylabel.h"
#include "notes/notecolor.h"
#include "notes/notekeys.h"
#include "notes/notenames.h"
#include "notes/notepixmaps.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/notetext.h"
#include "notes/stickylist.h"
#include "platform/displayplatform.h"
#include "platform/taskbarhint.h"
#include "reminders/periodicschedule.h"
#include "reminders/reminderdialog.h"
#include "reminders/reminderqueue.h"
#include "reminders/remindertiming.h"
#include "reminders/setreminderdialog.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/markupsafety.h"
#include "richtext/rzrichtexteditor.h"
#include "settings/preferences.h"
#include "ui/remindersound.h"
#include "widgets/rztogglemessagebox.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// A note is a window of its own: a screen reader announces it as one, by the
// summary it is named after, not as a pane of some other window.
QAccessibleInterface *noteAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String("StickyWidget") || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
}

bool hasToolType(Qt::WindowFlags flags)
{
    return (flags & Qt::Tool) == Qt::Tool;
}
} // namespace

StickyWidget::StickyWidget(NoteBook &book, int stickyID, const NoteSettings &settings,
                           QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint), m_book(&book), m_stickyID(stickyID),
      m_dateFormat(settings.dateFormat)
{
    qCDebug(lcNotes) << "StickyWidget::StickyWidget( constructor ) - stickyID:" << stickyID;
    static const bool presented = (QAccessible::installFactory(noteAccessible), true);
    Q_UNUSED(presented)
    const Note &shown = note();
    // A colour text that names no colour leaves the note in the default one.
    const NoteColor::Choice usable = NoteColor::usable(shown.colorRGB, shown.colorName);
    if (usable.rgb != shown.colorRGB || usable.name != shown.colorName) {
        Note values = shown;
        values.colorRGB = usable.rgb;
        values.colorName = usable.name;
        book.change(stickyID, values, NoteField::Color);
    }
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    applyTaskBarAndOnTop();
    const QRect place = note().place;
    resize(place.isEmpty() ? settings.defaultSize : place.size());
    placeAt(place.topLeft());
}

const Note &StickyWidget::note() const
{
    if (m_book) {
        if (const Note *held = m_book->find(m_stickyID))
            return *held;
    }
    static const Note none;
    return m_detached ? *m_detached : none;
}

void StickyWidget::detachFromBook(const Note &last)
{
    if (!m_book)
        return;
    m_detached = std::make_unique<Note>(last);
    if (m_textBrowser && !m_textPending)
        m_detached->message = m_textBrowser->toHtml();
    m_book->setTextReader(m_stickyID, {});
    m_book = nullptr;
}

void StickyWidget::edit(NoteFields fields, const std::function<void(Note &)> &change)
{
    if (!m_book)
        return;
    Note values = note();
    change(values);
    m_book->change(m_stickyID, values, fields);
}

void StickyWidget::buildContents(TextTiming timing)
{
    if (m_textBrowser)
        return;
    qCDebug(lcNotes) << "StickyWidget::buildContents() - stickyID:" << m_stickyID;
    m_textBrowser = new ELinkTextBrowser;
    m_textPending = true;

    auto *frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    m_creationDateLabel = new QLabel(frame); // its text comes with the translation below
    m_reminderLabel = new QLabel(frame);
    m_lockLabel = new QLabel(frame);
    m_hideLabel = new ClickyLabel(frame);
    auto *separator = new QFrame(frame);
    separator->setFrameStyle(QFrame::HLine | QFrame::Plain);
    separator->setLineWidth(1);
    auto *sizeGripLabel = new QLabel(frame);

    auto *noteLayout = new QVBoxLayout(this);
    noteLayout->setContentsMargins(0, 0, 0, 0);
    noteLayout->setSpacing(0);
    noteLayout->addWidget(frame);

    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(3, 3, 3, 3);
    frameLayout->setSpacing(0);
    auto *headerLayout = new QHBoxLayout;
    headerLayout->setContentsMargins(1, 1, 1, 1);
    headerLayout->setSpacing(3);
    headerLayout->addWidget(m_creationDateLabel);
    headerLayout->addWidget(m_reminderLabel);
    headerLayout->addWidget(m_lockLabel);
    headerLayout->addItem(new QSpacerItem(1, 1, QSizePolicy::Expanding, QSizePolicy::Minimum));
    headerLayout->addWidget(m_hideLabel);
    frameLayout->addLayout(headerLayout);
    frameLayout->addWidget(separator);
    frameLayout->addWidget(m_textBrowser);
    frameLayout->addWidget(sizeGripLabel, 0, Qt::AlignRight | Qt::AlignBottom);
    m_textBrowser->setFrameShape(QFrame::NoFrame);
    // Laying out the text is a large part of showing a note. Shown with
    // the scroll bar's room already taken, a text longer than the note is
    // laid out once; otherwise the scroll bar that appears after the first
    // layout narrows the text and it is laid out again. After the first show
    // the scroll bar comes and goes as the text needs (see showEvent).
    m_textBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    paintInColor();

    m_hideLabel->setPixmap(NotePixmaps::hideButton());
    updateReminderIndicator();
    sizeGripLabel->setPixmap(NotePixmaps::sizeGrip());
    connect(m_hideLabel, &ClickyLabel::labelClicked, this, &StickyWidget::hideSticky);

    m_textBrowser->installEventFilter(this);
    setFocusProxy(m_textBrowser);
    NoteSettings settings;
    settings.dateFormat = m_dateFormat;
    retranslate(settings);

    auto *creationDateAction = new QAction(QStringLiteral("setCreationDate"), this);
    creationDateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    creationDateAction->setShortcutContext(Qt::WindowShortcut);
    addAction(creationDateAction);
    connect(creationDateAction, &QAction::triggered, this, &StickyWidget::setCreationDate);
    if (timing == TextTiming::Now)
        showStoredText();
}

void StickyWidget::showStoredText()
{
    if (!std::exchange(m_textPending, false))
        return;
    const QString html = note().message;
    // A word of thousands of characters would take Qt's line breaking at word
    // boundaries seconds to minutes; such a note breaks its lines anywhere,
    // decided before the text is laid out for the first time.
    if (NoteText::hasOverlongWord(MarkupSafety::plainText(html)))
        m_textBrowser->setWordWrapMode(QTextOption::WrapAnywhere);
    {
        const QScopedValueRollback applying(m_applyingText, true);
        m_textBrowser->showStoredHtml(html);
    }
    // From now on the document holds the text; the book reads it when it
    // needs it, since toHtml() of a long note is costly and typing is not.
    if (m_book) {
        m_book->setTextReader(m_stickyID, [this] { return m_textBrowser->toHtml(); });
    }
    connect(m_textBrowser->document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_applyingText || !m_book)
            return;
        const QScopedValueRollback reporting(m_reportingText, true);
        const QScopedValueRollback typing(m_typing, true);
        m_book->textEdited(m_stickyID);
    });
    m_summaryCache.clear();
    m_summaryCacheValid = false;
    setWindowTitle(summaryText());
}

void StickyWidget::setVisible(bool visible)
{
    // The text itself comes in the first show event, when the text area has
    // its final width: set earlier, it would be laid out once for the
    // default width and again for the real one.
    if (visible)
        buildContents(TextTiming::AtFirstShow);
    QWidget::setVisible(visible);
    const bool shown = isVisible();
    if (!m_applyingFlags && m_book && note().visible != shown)
        edit(NoteField::Visible, [shown](Note &values) { values.visible = shown; });
}

StickyWidget::~StickyWidget()
{
    if (m_book)
        m_book->setTextReader(m_stickyID, {});
}

QTextBrowser *StickyWidget::textBrowser() const
{
    // Asking for the text area is asking for the note's contents; the values
    // they show are the note's own, so nothing a reader sees changes.
    auto *self = const_cast<StickyWidget *>(this);
    self->buildContents(TextTiming::Now);
    self->showStoredText();
    return m_textBrowser;
}

QString StickyWidget::message() const
{
    return note().message;
}

std::function<QString()> StickyWidget::plainTextReader() const
{
    if (hasText())
        return [text = plainText()] { return text; };
    return [html = note().message] { return MarkupSafety::plainText(html); };
}

QString StickyWidget::plainText() const
{
    if (hasText())
        return m_textBrowser->toPlainText();
    return MarkupSafety::plainText(note().message);
}

bool StickyWidget::isStaysOnTop() const
{
    return note().alwaysOnTop;
}

bool StickyWidget::isToolWindow() const
{
    return !note().taskbarEntry;
}

QString StickyWidget::summaryText() const
{
    if (hasText())
        return NoteText::summary(m_textBrowser->toPlainText());
    // The summary a shown note would have: its document's plain text, from
    // a document made for the moment and then dropped.
    if (!m_summaryCacheValid) {
        m_summaryCache = NoteText::summary(NoteText::plainTextOfStoredHtml(note().message));
        m_summaryCacheValid = true;
    }
    return m_summaryCache;
}

QString StickyWidget::creationDateText() const
{
    return localDateText(creationDate(), Preferences::dateFormat());
}

QString StickyWidget::reminderStatusText() const
{
    const Note &shown = note();
    return NoteText::reminderStatus(shown.originalReminderDate, shown.reminderDate,
                                    shown.periodicMask);
}

QPixmap StickyWidget::reminderPixmap()
{
    return NotePixmaps::reminderClock();
}

void StickyWidget::setReminder(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                               const QString &periodicMask)
{
    edit(NoteField::Reminder, [&](Note &values) {
        values.originalReminderDate = originalReminderDate;
        values.reminderDate = reminderDate;
        values.periodicMask = periodicMask;
    });
}

void StickyWidget::noteChanged(NoteFields fields)
{
    if (fields & NoteField::Color)
        paintInColor();
    if (fields & NoteField::Locked)
        applyLock();
    if (fields & NoteField::Reminder)
        updateReminderIndicator();
    if ((fields & NoteField::Created) && m_creationDateLabel)
        m_creationDateLabel->setText(localDateText(creationDate(), m_dateFormat));
    if ((fields & NoteField::Text) && !m_reportingText)
        showChangedText();
    if (fields & (NoteField::OnTop | NoteField::TaskBar))
        applyTaskBarAndOnTop();
    if ((fields & NoteField::Place) && !m_reportingPlace) {
        // A place from elsewhere (another computer) is fitted to the screens
        // here.
        const QRect place = note().place;
        resize(place.size());
        placeAt(place.topLeft());
        keepOnScreen();
    }
    if ((fields & NoteField::Visible) && note().visible != isVisible()) {
        if (note().visible)
            showWithoutActivating();
        else
            hide();
    }
    // The row of the list follows typing when the user leaves the note.
    if (!m_typing)
        emit updateTableWidgetItems();
}

void StickyWidget::showChangedText()
{
    m_summaryCacheValid = false;
    if (!hasText())
        return;
    const QString html = note().message;
    m_textBrowser->setWordWrapMode(NoteText::hasOverlongWord(MarkupSafety::plainText(html))
                                       ? QTextOption::WrapAnywhere
                                       : QTextOption::WrapAtWordBoundaryOrAnywhere);
    {
        const QScopedValueRollback applying(m_applyingText, true);
        m_textBrowser->showStoredHtml(html);
    }
    setWindowTitle(summaryText());
}

void StickyWidget::paintInColor()
{
    if (!m_textBrowser) // the colour is applied when the contents are made
        return;
    const QColor colour(colorRGB());
    QPalette notePalette = palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        notePalette.setBrush(QPalette::All, role, colour);
    notePalette.setBrush(QPalette::All, QPalette::Light, colour.lighter(200));
    notePalette.setBrush(QPalette::All, QPalette::Dark, colour.darker(200));
    setPalette(notePalette);
    m_textBrowser->setPalette(notePalette);
}

void StickyWidget::updateReminderIndicator()
{
    if (!m_reminderLabel)
        return;
    m_reminderLabel->setPixmap(reminderDate().isNull() ? QPixmap() : reminderPixmap());
    const QString status = reminderStatusText();
    m_creationDateLabel->setToolTip(status);
    m_reminderLabel->setToolTip(status);
}

void StickyWidget::changeLanguage()
{
    retranslate(NoteSettings::read());
}

void StickyWidget::retranslate(const NoteSettings &settings)
{
    qCDebug(lcNotes) << "   +-- StickyWidget::changeLanguage() - stickyID:" << m_stickyID;
    m_dateFormat = settings.dateFormat;
    if (!m_textBrowser)
        return;
    if (hasText()) // otherwise the title comes with the text
        setWindowTitle(summaryText());
    else
        setAccessibleName(NoteNames::spokenSummary(QString()));
    m_textBrowser->setAccessibleName(tr("Note text"));
    m_hideLabel->setAccessibleName(tr("Hide note"));
    m_creationDateLabel->setText(localDateText(creationDate(), m_dateFormat));
    applyLock();
}

void StickyWidget::lockSticky(bool status)
{
    qCDebug(lcNotes) << "StickyWidget::lockSticky(" << status << ")";
    edit(NoteField::Locked, [status](Note &values) { values.locked = status; });
}

void StickyWidget::applyLock()
{
    const bool status = isLocked();
    if (!m_textBrowser)
        return;
    m_textBrowser->setReadOnly(status);
    m_lockLabel->clear();
    m_lockLabel->setPixmap(status ? NotePixmaps::padlock() : QPixmap());
    m_lockLabel->setToolTip(status ? tr("Locked") : QString());
}

void StickyWidget::applyWindowFlags(Qt::WindowFlags flags)
{
    setWindowFlags(flags | Qt::FramelessWindowHint);
}

void StickyWidget::applyTaskBarAndOnTop()
{
    const Note &shown = note();
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, shown.alwaysOnTop);
    if (shown.taskbarEntry == hasToolType(flags))
        flags = (flags & ~Qt::WindowType_Mask) | (shown.taskbarEntry ? Qt::Window : Qt::Tool);
    if (flags == windowFlags())
        return;
    // New flags make a new native window, hidden: the note keeps its place
    // and is shown again, and none of it is the user's change.
    const QScopedValueRollback applying(m_applyingFlags, true);
    const bool wasVisible = isVisible();
    const QPoint position = pos();
    const QSize size = this->size();
    applyWindowFlags(flags);
    move(position);
    resize(size);
    TaskbarHint::apply(this, !shown.taskbarEntry);
    if (wasVisible)
        show();
}

void StickyWidget::reminderCheck()
{
    qCDebug(lcNotes) << "StickyWidget::reminderCheck()";
    const QDateTime due = reminderDate();
    if (due.isNull()) // most notes: no clock to read
        return;
    if (!ReminderTiming::isDue(due, QDateTime::currentDateTime(), m_reminderDialogOpen))
        return;

    // The dialog comes up when the queue has room for it; until it is
    // answered this note ignores further ticks.
    m_reminderDialogOpen = true;
    ReminderQueue::instance().enqueue(
        {this, [this] { return openReminderDialog(); },
         [this](int result, int snoozeMinutes) { reminderAnswered(result, snoozeMinutes); }});
}

void StickyWidget::showControlPanel()
{
    emit controlPanelRequest();
}

void StickyWidget::mousePressEvent(QMouseEvent *event)
{
    m_dragging.press(*this, *event);
}

void StickyWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_dragging.release(*this);
}

void StickyWidget::mouseMoveEvent(QMouseEvent *event)
{
    m_dragging.move(*this, *event);
}

void StickyWidget::placeAt(const QPoint &position)
{
    move(position);
    m_knownPosition = position;
    reportPlace();
}

void StickyWidget::showWithoutActivating()
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
    // Later shows (from the tray, the list or a reminder) take the focus
    // again as any new window does. Qt keeps the request on the native window
    // it made for the first show, so it is withdrawn there too.
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (QWindow *handle = windowHandle())
        handle->setProperty("_q_showWithoutActivating", false);
}

void StickyWidget::keepOnScreen()
{
    NotePlacement::keepOnScreen(this);
    reportPlace();
}

void StickyWidget::reportPlace()
{
    if (m_applyingFlags)
        return;
    const QRect place(positionToStore(), size());
    if (!m_book || note().place == place) // most calls: a note put where it is
        return;
    const QScopedValueRollback reporting(m_reportingPlace, true);
    edit(NoteField::Place, [&place](Note &values) { values.place = place; });
}

void StickyWidget::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    reportPlace();
}

void StickyWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    reportPlace();
}

QPoint StickyWidget::positionToStore() const
{
    return NotePlacement::positionToStore(
        pos(), m_knownPosition,
        DisplayPlatform::reportsWindowPositions(QGuiApplication::platformName()));
}

void StickyWidget::changeEvent(QEvent *event)
{
    // The title is the summary; a screen reader announces the window by it.
    if (event->type() == QEvent::WindowTitleChange)
        setAccessibleName(NoteNames::spokenSummary(windowTitle()));
    QWidget::changeEvent(event);
}

void StickyWidget::lostFocus()
{
    qCDebug(lcNotes) << "StickyWidget::lostFocus() - START";
    setWindowTitle(summaryText());
    // What the user typed reaches the list and the sync folder now.
    if (m_book) {
        const QScopedValueRollback reporting(m_reportingText, true);
        m_book->announcePendingText(m_stickyID);
    }
    qCDebug(lcNotes) << "StickyWidget::lostFocus() - END";
}

void StickyWidget::closeEvent(QCloseEvent *event)
{
    // A note is never closed: the window manager's close (Alt+F4) hides it,
    // and closes asked for by the program itself are refused so that a note
    // keeps its visible state until it is saved.
    event->ignore();
    if (event->spontaneous())
        hideSticky();
}

void StickyWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    showStoredText();
    // The text has its first layout now (the children were shown before the
    // note itself): a scroll bar still needed stays without a new layout.
    if (std::exchange(m_firstShow, false))
        m_textBrowser->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TaskbarHint::apply(this, isToolWindow());
}
