#include "panel/tablelabel.h"

#include "app/mainwindow.h"
#include "app/preferences.h"
#include "base/tracing.h"
#include "notes/stickywidget.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmapCache>

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

QPixmap reminderClock()
{
    return cachedPixmap(QStringLiteral("notarella-list-clock"), &StickyWidget::reminderPixmap);
}

} // namespace

TableLabel::TableLabel(const QString &labelType, StickyWidget *stickyWidget, QWidget *parent)
    : QLabel(parent), m_labelType(labelType), m_stickyWidget(stickyWidget)
{
    updateLabel();
}

QPixmap TableLabel::swatch(const QString &rgb)
{
    return cachedPixmap(QStringLiteral("notarella-swatch-") + rgb,
                        [&rgb] { return MainWindow::colorIcon(rgb); });
}

void TableLabel::updateLabel()
{
    qCDebug(lcPanel) << "TableLabel::updateLabel(" << m_labelType << ")";
    if (!m_stickyWidget)
        return;
    const StickyWidget &note = *m_stickyWidget;
    if (m_labelType == ColorLabel) {
        setPixmap(swatch(note.colorRGB()));
        setToolTip(QStringLiteral("%1 %2").arg(note.colorName(), tr("Sticky")));
    } else if (m_labelType == DateLabel) {
        setText(note.creationDateText());
        setToolTip(note.reminderStatusText());
    } else if (m_labelType == ReminderLabel) {
        const bool hasReminder = !note.reminderDate().isNull();
        setPixmap(hasReminder ? reminderClock() : QPixmap());
        setToolTip(hasReminder ? note.reminderStatusText() : QString());
    } else if (m_labelType == MessageLabel) {
        setText(note.summaryText());
        setToolTip(note.reminderStatusText());
    }
    qCDebug(lcPanel) << "TableLabel::updateLabel(" << m_labelType << ") - end";
}

void TableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_stickyWidget) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
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

    QAction *deleteAction = menu->addAction(tr("&Delete"));
    deleteAction->setObjectName(QStringLiteral("deleteAction"));
    menu->addSeparator();

    QMenu *colorMenu = menu->addMenu(QStringLiteral("Change &Color"));
    using namespace Preferences;
    QAction *defaultAction = colorMenu->addAction(
        swatch(userString(Names::DefaultRGB)),
        QStringLiteral("%1 (%2)").arg(tr("&Default Sticky"), userString(Names::DefaultColor)));
    colorMenu->addSeparator();
    struct Preset
    {
        const QString &colorName;
        const QString &rgbName;
    };
    const Preset presets[] = {{Names::OneColor, Names::OneRGB},
                              {Names::TwoColor, Names::TwoRGB},
                              {Names::ThreeColor, Names::ThreeRGB},
                              {Names::FourColor, Names::FourRGB},
                              {Names::FiveColor, Names::FiveRGB}};
    QList<QAction *> presetActions;
    for (int i = 0; i < 5; ++i) {
        presetActions << colorMenu->addAction(
            swatch(userString(presets[i].rgbName)),
            QStringLiteral("&%1 - %2 %3")
                .arg(QString::number(i + 1), userString(presets[i].colorName), tr("Sticky")));
    }
    colorMenu->addSeparator();
    QAction *moreAction = colorMenu->addAction(tr("More..."));
    QAction *reminderAction = menu->addAction(tr("Set/Edit &Reminder"));

    // Queued: a command may delete the note, and the list is then rebuilt,
    // destroying this cell; it must not happen while the cell still handles
    // its context-menu event.
    connect(reminderAction, &QAction::triggered, note, &StickyWidget::showReminderDialog,
            Qt::QueuedConnection);
    Q_UNUSED(deleteAction)
    Q_UNUSED(defaultAction)
    Q_UNUSED(moreAction)
    return menu;
}

void TableLabel::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    const std::unique_ptr<QMenu> menu = createContextMenu();
    if (menu)
        menu->exec(event->globalPos());
}
