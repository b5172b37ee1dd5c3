#include "panel/tablelabel.h"

#include "base/localdatetext.h"
#include "base/tracing.h"
#include "notes/notenames.h"
#include "notes/stickywidget.h"
#include "ui/colorswatch.h"
#include "widgets/colorpresets.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QTextDocument>

#include <functional>

namespace {

QPixmap cachedPixmap(const QString &key, const std::function<QPixmap()> &draw)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = draw();
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

// A tool tip shown as the very text given, even when a colour name the user
// made up looks like markup.
QString plainToolTip(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>").arg(text.toHtmlEscaped());
}

QPixmap reminderClock()
{
    return cachedPixmap(QStringLiteral("notarella-list-clock"), &StickyWidget::reminderPixmap);
}

} // namespace

TableLabel::TableLabel(const QString &labelType, StickyWidget *stickyWidget, QWidget *parent)
    : QLabel(parent), m_labelType(labelType), m_stickyWidget(stickyWidget)
{
    // Note text is never markup here, whatever the user typed.
    setTextFormat(Qt::PlainText);
    updateLabel();
}

TableLabel::TableLabel(const QString &labelType, StickyWidget *stickyWidget,
                       const QString &dateFormat, QWidget *parent)
    : QLabel(parent), m_labelType(labelType), m_dateFormat(&dateFormat),
      m_stickyWidget(stickyWidget)
{
    setTextFormat(Qt::PlainText);
    updateLabel();
    m_dateFormat = nullptr;
}

void TableLabel::setStickyWidget(StickyWidget *stickyWidget, const QString &dateFormat)
{
    m_stickyWidget = stickyWidget;
    if (!stickyWidget) {
        clear();
        setToolTip(QString());
        setAccessibleName(QString());
    }
    m_dateFormat = &dateFormat;
    updateLabel();
    m_dateFormat = nullptr;
}

QString TableLabel::dateText() const
{
    return m_dateFormat ? localDateText(m_stickyWidget->creationDate(), *m_dateFormat)
                        : m_stickyWidget->creationDateText();
}

QPixmap TableLabel::swatch(const QString &rgb)
{
    return cachedPixmap(QStringLiteral("notarella-swatch-") + rgb,
                        [&rgb] { return ColorSwatch::pixmap(rgb); });
}

void TableLabel::updateLabel()
{
    // The list fills dozens of cells at each scroll step; only later
    // refreshes of single cells are traced.
    const bool traced = m_dateFormat == nullptr;
    if (traced)
        qCDebug(lcPanel) << "TableLabel::updateLabel(" << m_labelType << ")";
    if (!m_stickyWidget)
        return;
    const StickyWidget &note = *m_stickyWidget;
    const QString summary = note.summaryText();
    if (m_labelType == ColorLabel) {
        setPixmap(swatch(note.colorRGB()));
        setToolTip(plainToolTip(QStringLiteral("%1 %2").arg(note.colorName(), tr("Sticky"))));
        setAccessibleName(NoteNames::colorCell(summary, note.colorName()));
    } else if (m_labelType == DateLabel) {
        setText(dateText());
        setToolTip(note.reminderStatusText());
        setAccessibleName(NoteNames::dateCell(summary, text()));
    } else if (m_labelType == ReminderLabel) {
        const bool hasReminder = !note.reminderDate().isNull();
        setPixmap(hasReminder ? reminderClock() : QPixmap());
        setToolTip(hasReminder ? note.reminderStatusText() : QString());
        setAccessibleName(NoteNames::reminderCell(summary, toolTip()));
    } else if (m_labelType == MessageLabel) {
        setText(summary);
        setToolTip(note.reminderStatusText());
        setAccessibleName(NoteNames::messageCell(summary));
    }
    if (traced)
        qCDebug(lcPanel) << "TableLabel::updateLabel(" << m_labelType << ") - end";
}

void TableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_stickyWidget) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    bringNoteForward();
}

void TableLabel::bringNoteForward()
{
    if (!m_stickyWidget)
        return;
    if (!m_stickyWidget->isVisible())
        m_stickyWidget->show();
    m_stickyWidget->raise();
    m_stickyWidget->activateWindow();
    // Refreshes the note's title and its whole row, the check box included.
    m_stickyWidget->lostFocus();
}

std::unique_ptr<QMenu> TableLabel::createContextMenu()
{
    if (!m_stickyWidget)
        return nullptr;
    StickyWidget *note = m_stickyWidget;
    auto menu = std::make_unique<QMenu>();
    // Queued: a command may delete the note, and the list is then rebuilt,
    // destroying this cell; that must not happen while the cell still handles
    // its context-menu event.
    const auto runOnNote = [note](QAction *action, void (StickyWidget::*command)()) {
        connect(action, &QAction::triggered, note, command, Qt::QueuedConnection);
    };

    runOnNote(menu->addAction(tr("&Delete")), &StickyWidget::deleteSticky);
    menu->addSeparator();

    QMenu *colorMenu = menu->addMenu(tr("Change &Color"));
    void (StickyWidget::*const commands[ColorPresets::kCount])() = {
        &StickyWidget::changeToColorDefault, &StickyWidget::changeToColorOne,
        &StickyWidget::changeToColorTwo,     &StickyWidget::changeToColorThree,
        &StickyWidget::changeToColorFour,    &StickyWidget::changeToColorFive};
    const QList<QAction *> presets = ColorPresets::addEntries(colorMenu);
    for (int preset = 0; preset < ColorPresets::kCount; ++preset)
        runOnNote(presets.at(preset), commands[preset]);
    colorMenu->addSeparator();
    runOnNote(colorMenu->addAction(tr("More...")), &StickyWidget::showColorChangeDialog);
    runOnNote(menu->addAction(tr("Set/Edit &Reminder")), &StickyWidget::showReminderDialog);
    return menu;
}

void TableLabel::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    const std::unique_ptr<QMenu> menu = createContextMenu();
    if (menu)
        menu->exec(event->globalPos());
}
