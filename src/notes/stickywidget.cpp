#include "notes/stickywidget.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "notes/clickylabel.h"
#include "notes/notecolor.h"
#include "notes/notepixmaps.h"
#include "notes/noteplacement.h"
#include "notes/notesettings.h"
#include "notes/notetext.h"
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

#include <QAction>
#include <QCloseEvent>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <QWindow>

namespace {
const QString kModeNone = QStringLiteral("NONE");
const QString kModeMove = QStringLiteral("MOVE");
const QString kModeResize = QStringLiteral("RESIZE_BR");
constexpr int kGripArea = 16;

bool hasToolType(Qt::WindowFlags flags)
{
    return (flags & Qt::Tool) == Qt::Tool;
}
} // namespace

StickyWidget::StickyWidget(int stickyID, const QString &colorRGB, const QString &colorName,
                           const QDateTime &creationDate, const QDateTime &originalReminderDate,
                           const QDateTime &reminderDate, const QString &periodicMask, bool locked,
                           const QString &message, QWidget *parent, Qt::WindowFlags flags)
    : StickyWidget(stickyID, colorRGB, colorName, creationDate, originalReminderDate, reminderDate,
                   periodicMask, locked, message, NoteSettings::read(), parent, flags)
{
}

StickyWidget::StickyWidget(int stickyID, const QString &colorRGB, const QString &colorName,
                           const QDateTime &creationDate, const QDateTime &originalReminderDate,
                           const QDateTime &reminderDate, const QString &periodicMask, bool locked,
                           const QString &message, const NoteSettings &settings, QWidget *parent,
                           Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::FramelessWindowHint), m_stickyID(stickyID),
      m_colorRGB(NoteColor::usable(colorRGB, colorName).rgb),
      m_colorName(NoteColor::usable(colorRGB, colorName).name), m_creationDate(creationDate),
      m_reminderDate(reminderDate), m_originalReminderDate(originalReminderDate),
      m_periodicMask(periodicMask), m_locked(locked), m_dateFormat(settings.dateFormat),
      // Until the text changes, the note's HTML is the text it was given:
      // saves then write back exactly what was stored instead of exporting
      // every note again. An empty text is the empty document's HTML.
      m_messageCache(message), m_messageCacheValid(!message.isEmpty())
{
    qCDebug(lcNotes) << "StickyWidget::StickyWidget( constructor ) - stickyID:" << stickyID
                     << "- start";
    qCDebug(lcNotes) << "   +-- Using a reminder date of" << reminderDate;
    qCDebug(lcNotes) << "   +-- Periodic Mask" << periodicMask;
    resize(settings.defaultSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_mouseMode = kModeNone;
    m_reminderDialogOpen = false;
    qCDebug(lcNotes) << "StickyWidget::StickyWidget( constructor ) - stickyID:" << stickyID
                     << "- end";
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
    // Not applyColor(): making the contents changes nothing the list shows,
    // and a list told so while the note is still on its way to the screen
    // would clear the row's tick.
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
    const QString html = m_messageCacheValid ? m_messageCache : QString();
    // A word of thousands of characters would take Qt's line breaking at word
    // boundaries seconds to minutes; such a note breaks its lines anywhere,
    // decided before the text is laid out for the first time.
    if (NoteText::hasOverlongWord(MarkupSafety::plainText(html)))
        m_textBrowser->setWordWrapMode(QTextOption::WrapAnywhere);
    m_textBrowser->showStoredHtml(html);
    connect(m_textBrowser->document(), &QTextDocument::contentsChanged, this,
            [this] { m_messageCacheValid = false; });
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
}

StickyWidget::~StickyWidget()
{
    qCDebug(lcNotes) << "StickyWidget::~StickyWidget() - destructor";
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
    if (!m_messageCacheValid) {
        m_messageCache = textBrowser()->toHtml();
        m_messageCacheValid = true;
    }
    return m_messageCache;
}

std::function<QString()> StickyWidget::plainTextReader() const
{
    if (hasText() || !m_messageCacheValid)
        return [text = plainText()] { return text; };
    return [html = m_messageCache] { return MarkupSafety::plainText(html); };
}

QString StickyWidget::plainText() const
{
    if (hasText())
        return m_textBrowser->toPlainText();
    return m_messageCacheValid ? MarkupSafety::plainText(m_messageCache) : QString();
}

bool StickyWidget::isStaysOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool StickyWidget::isToolWindow() const
{
    return hasToolType(windowFlags());
}

QString StickyWidget::summaryText() const
{
    if (hasText())
        return NoteText::summary(m_textBrowser->toPlainText());
    // The summary a shown note would have: its document's plain text, from
    // a document made for the moment and then dropped.
    if (!m_summaryCacheValid) {
        m_summaryCache = NoteText::summary(
            m_messageCacheValid ? NoteText::plainTextOfStoredHtml(m_messageCache) : QString());
        m_summaryCacheValid = true;
    }
    return m_summaryCache;
}

QString StickyWidget::creationDateText() const
{
    return localDateText(m_creationDate, Preferences::dateFormat());
}

QString StickyWidget::reminderStatusText() const
{
    return NoteText::reminderStatus(m_originalReminderDate, m_reminderDate, m_periodicMask);
}

QPixmap StickyWidget::reminderPixmap()
{
    return NotePixmaps::reminderClock();
}

void StickyWidget::setReminder(const QDateTime &originalReminderDate, const QDateTime &reminderDate,
                               const QString &periodicMask)
{
    m_originalReminderDate = originalReminderDate;
    m_reminderDate = reminderDate;
    m_periodicMask = periodicMask;
    updateReminderIndicator();
    emit updateTableWidgetItems();
}

void StickyWidget::takeValues(const NoteRecord &record)
{
    if (record.colorRGB != m_colorRGB || record.colorName != m_colorName)
        changeColor(record.colorRGB, record.colorName);
    if (record.locked != m_locked)
        lockSticky(record.locked);
    if (record.originalReminderDate != m_originalReminderDate ||
        record.reminderDate != m_reminderDate || record.periodicMask != periodicMask())
        setReminder(record.originalReminderDate, record.reminderDate, record.periodicMask);
    if (record.creationDate != m_creationDate) {
        m_creationDate = record.creationDate;
        if (m_creationDateLabel)
            m_creationDateLabel->setText(localDateText(m_creationDate, m_dateFormat));
    }
    if (record.message != message()) {
        if (hasText()) {
            m_textBrowser->setWordWrapMode(
                NoteText::hasOverlongWord(MarkupSafety::plainText(record.message))
                    ? QTextOption::WrapAnywhere
                    : QTextOption::WrapAtWordBoundaryOrAnywhere);
            m_textBrowser->showStoredHtml(record.message);
        }
        // The text as it came, until the user changes it.
        m_messageCache = record.message;
        m_messageCacheValid = true;
        m_summaryCacheValid = false;
        if (hasText())
            setWindowTitle(summaryText());
        emit updateTableWidgetItems();
    }
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, record.alwaysOnTop);
    if (record.taskbarEntry == isToolWindow())
        flags = (flags & ~Qt::WindowType_Mask) | (record.taskbarEntry ? Qt::Window : Qt::Tool);
    if (flags != windowFlags()) {
        const bool wasVisible = isVisible();
        const QRect place = geometry();
        applyWindowFlags(flags);
        setGeometry(place);
        TaskbarHint::apply(this, !record.taskbarEntry);
        if (wasVisible)
            show();
    }
}

void StickyWidget::applyColor()
{
    paintInColor();
    emit updateTableWidgetItems();
}

void StickyWidget::paintInColor()
{
    if (!m_textBrowser) // the colour is applied when the contents are made
        return;
    const QColor colour(m_colorRGB);
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
    m_reminderLabel->setPixmap(m_reminderDate.isNull() ? QPixmap() : reminderPixmap());
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
    m_creationDateLabel->setText(localDateText(m_creationDate, m_dateFormat));
    lockSticky(isLocked());
}

void StickyWidget::lockSticky(bool status)
{
    qCDebug(lcNotes) << "StickyWidget::lockSticky(" << status << ")";
    m_locked = status;
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

void StickyWidget::enableStaysOnTop(bool enable)
{
    qCDebug(lcNotes) << "StickyWidget::enableStaysOnTop(" << enable << ")";
    Qt::WindowFlags flags = windowFlags();
    if (enable)
        flags |= Qt::WindowStaysOnTopHint;
    else
        flags &= ~Qt::WindowStaysOnTopHint;
    applyWindowFlags(flags);
    show();
    activateWindow();
}

void StickyWidget::showInTaskBar(bool i_show)
{
    if (isToolWindow() != i_show)
        return;
    const QPoint position = pos();
    const QSize size = this->size();
    const bool wasVisible = isVisible();
    Qt::WindowFlags flags = windowFlags() & ~Qt::WindowType_Mask;
    flags |= i_show ? Qt::Window : Qt::Tool;
    applyWindowFlags(flags);
    move(position);
    resize(size);
    TaskbarHint::apply(this, !i_show);
    if (wasVisible)
        show();
}

void StickyWidget::hideSticky()
{
    qCDebug(lcNotes) << "StickyWidget::hideSticky() - stickyID:" << m_stickyID;
    if (Preferences::userBool(Preferences::Names::HideWarning)) {
        RZToggleMessageBox box(
            tr("Warning: Hiding Sticky"),
            tr("<p>Hidden stickies are only accessible from the list of the Notarella control "
               "panel (right-click the system tray icon and choose <i>Sticky Control "
               "Panel</i>).  However, any reminder set for this sticky will still occur as "
               "scheduled and result in the sticky being reactivated at the appropriate "
               "time.</p><b><p>Do you still wish to hide this sticky?</p></b>"),
            Preferences::userKey(Preferences::Names::HideWarning), this);
        if (box.exec() != QDialog::Accepted)
            return;
    }
    hide();
    qCDebug(lcNotes) << "DONE hideSticky EXCEPT updateTableWidgetItems()";
    emit updateTableWidgetItems();
    qCDebug(lcNotes) << "DONE hideSticky INCLUDING updateTableWidgetItems()";
}

void StickyWidget::reminderCheck()
{
    qCDebug(lcNotes) << "StickyWidget::reminderCheck()";
    if (m_reminderDate.isNull()) // most notes: no clock to read
        return;
    if (!ReminderTiming::isDue(m_reminderDate, QDateTime::currentDateTime(), m_reminderDialogOpen))
        return;

    // The dialog comes up when the queue has room for it; until it is
    // answered this note ignores further ticks.
    m_reminderDialogOpen = true;
    ReminderQueue::instance().enqueue(
        {this, [this] { return openReminderDialog(); },
         [this](int result, int snoozeMinutes) { reminderAnswered(result, snoozeMinutes); }});
}

ReminderDialog *StickyWidget::openReminderDialog()
{
    showNormal();
    activateWindow();
    auto *dialog = new ReminderDialog(summaryText(), m_originalReminderDate);
    const QString soundFile = Preferences::userString(Preferences::Names::ReminderNoticeSoundFile);
    if (Preferences::userBool(Preferences::Names::ReminderNoticePlaySound) && !soundFile.isEmpty())
        playReminderSound(soundFile);
    dialog->move(x() + width() / 2 - 130, y() + height() / 2 - 80);
    return dialog;
}

void StickyWidget::reminderAnswered(int result, int snoozeMinutes)
{
    if (result == QDialog::Accepted) {
        m_reminderDate = ReminderTiming::snoozeUntil(QDateTime::currentDateTime(), snoozeMinutes);
    } else if (PeriodicSchedule::isPeriodicMask(m_periodicMask)) {
        // A periodic reminder moves on to its next occurrence.
        const auto schedule = PeriodicSchedule::fromMask(m_periodicMask);
        const auto next =
            schedule ? schedule->nextMatch(QDateTime::currentDateTime()) : std::nullopt;
        m_reminderDate = next.value_or(QDateTime());
        m_originalReminderDate = m_reminderDate;
    } else {
        m_reminderDate = QDateTime();
        m_originalReminderDate = QDateTime();
    }
    m_reminderDialogOpen = false;
    activateWindow();
    updateReminderIndicator();
    emit updateTableWidgetItems();
}

void StickyWidget::showReminderDialog()
{
    qCDebug(lcNotes) << "StickyWidget::showReminderDialog()";
    SetReminderDialog dialog(this);
    dialog.setReminderDate(m_reminderDate, m_periodicMask);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_reminderDate = ReminderTiming::withoutSeconds(dialog.reminderDate());
    m_originalReminderDate = m_reminderDate;
    // A periodic reminder keeps its pattern; any other choice clears it, so a
    // one-time reminder is never described as periodic.
    m_periodicMask = dialog.periodicMask();
    updateReminderIndicator();
    emit updateTableWidgetItems();
    qCDebug(lcNotes) << "Received new reminder of:" << m_reminderDate;
}

void StickyWidget::showRichTextEditor()
{
    qCDebug(lcNotes) << "StickyWidget::showRichTextEditor() - stickyID:" << m_stickyID;
    rz_RichTextEditor editor(this);
    // A locked note's text cannot change: its editor only shows it.
    const bool locked = m_locked;
    editor.setReadOnly(locked);
    editor.setHtml(message());
    editor.setTextBackground(QColor(m_colorRGB));
    if (editor.exec() != QDialog::Accepted || locked || m_locked)
        return;
    // One step of the note's own undo takes the editor's changes back.
    textBrowser();
    m_textBrowser->replaceHtmlUndoably(editor.html());
    setWindowTitle(summaryText());
    emit updateTableWidgetItems();
}

void StickyWidget::showControlPanel()
{
    emit controlPanelRequest();
}

void StickyWidget::setCreationDate()
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *editor = new QDateTimeEdit(m_creationDate, &dialog);
    layout->addWidget(editor);
    auto *buttons = new QHBoxLayout;
    auto *okay = new QPushButton(tr("Okay"), &dialog);
    auto *cancel = new QPushButton(tr("Cancel"), &dialog);
    buttons->addWidget(okay);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(okay, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted)
        m_creationDate = editor->dateTime();
    changeLanguage();
}

void StickyWidget::mousePressEvent(QMouseEvent *event)
{
    qCDebug(lcNotes) << "StickyWidget::mousePressEvent()";
    qCDebug(lcNotes) << "Mousetracking?" << hasMouseTracking();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    const bool resizing =
        width() - position.x() <= kGripArea && height() - position.y() <= kGripArea;
    // The window manager or compositor moves the window where it can: under
    // Wayland it is the only way, and elsewhere it snaps and stops at panels
    // as the user is used to. Without one the note follows the mouse itself.
    if (QWindow *window = windowHandle()) {
        const bool handedOver = resizing ? window->startSystemResize(Qt::RightEdge | Qt::BottomEdge)
                                         : window->startSystemMove();
        if (handedOver) {
            qCDebug(lcNotes) << "   +-- moved by the window system";
            m_mouseMode = kModeNone;
            return;
        }
    }
    if (resizing) {
        m_mouseMode = kModeResize;
        setCursor(Qt::SizeFDiagCursor);
    } else {
        m_mouseMode = kModeMove;
        setCursor(Qt::PointingHandCursor);
    }
    m_pressGlobalPosition = event->globalPosition().toPoint();
    m_pressPosition = position;
}

void StickyWidget::placeAt(const QPoint &position)
{
    move(position);
    m_knownPosition = position;
}

QPoint StickyWidget::positionToStore() const
{
    return NotePlacement::positionToStore(
        pos(), m_knownPosition,
        DisplayPlatform::reportsWindowPositions(QGuiApplication::platformName()));
}

void StickyWidget::mouseReleaseEvent(QMouseEvent *)
{
    m_mouseMode = kModeNone;
    setCursor(Qt::ArrowCursor);
}

void StickyWidget::mouseMoveEvent(QMouseEvent *event)
{
    qCDebug(lcNotes) << "StickyWidget::mouseMoveEvent()";
    qCDebug(lcNotes) << "Mousetracking?" << hasMouseTracking();
    if (m_mouseMode == kModeNone)
        return;
    if (m_mouseMode == kModeMove) {
        move(event->globalPosition().toPoint() - m_pressPosition);
        return;
    }
    const QPoint position = event->position().toPoint();
    if (position.x() > minimumWidth())
        resize(width() + position.x() - m_pressPosition.x(), height());
    if (position.y() > minimumHeight())
        resize(width(), height() + position.y() - m_pressPosition.y());
    m_pressPosition = position;
}

bool StickyWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_textBrowser && event->type() == QEvent::FocusOut)
        lostFocus();
    return QWidget::eventFilter(watched, event);
}

void StickyWidget::lostFocus()
{
    qCDebug(lcNotes) << "StickyWidget::lostFocus() - START";
    setWindowTitle(summaryText());
    emit updateTableWidgetItems();
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
