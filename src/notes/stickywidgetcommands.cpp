// The commands of a note: its context menu, deleting, recolouring and
// printing. Construction, looks and mouse handling are in stickywidget.cpp.

#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "settings/preferences.h"
#include "ui/userprompt.h"
#include "widgets/colorpresets.h"
#include "widgets/noteprinting.h"
#include "widgets/printerpicture.h"
#include "widgets/rzcolorselectordialog.h"
#include "widgets/rztogglemessagebox.h"

#include <QColor>
#include <QContextMenuEvent>
#include <QMenu>

namespace {

// The colour menu's commands, in preset order.
void (StickyWidget::*const kPresetCommands[ColorPresets::kCount])() = {
    &StickyWidget::changeToColorDefault, &StickyWidget::changeToColorOne,
    &StickyWidget::changeToColorTwo,     &StickyWidget::changeToColorThree,
    &StickyWidget::changeToColorFour,    &StickyWidget::changeToColorFive,
};

bool isColor(const QString &rgb)
{
    return QColor::isValidColorName(rgb);
}

} // namespace

std::unique_ptr<QMenu> StickyWidget::createContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(tr("&Hide"), this, &StickyWidget::hideSticky);
    if (isLocked()) {
        menu->addAction(QStringLiteral("&Delete (locked)"))->setEnabled(false);
    } else {
        menu->addAction(tr("&Delete"), this, &StickyWidget::deleteSticky);
    }
    menu->addSeparator();

    const auto addToggle = [&menu, this](const QString &text, bool checked,
                                         void (StickyWidget::*command)(bool)) {
        QAction *action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(checked);
        connect(action, &QAction::toggled, this, command);
    };
    addToggle(tr("&Lock Sticky"), isLocked(), &StickyWidget::lockSticky);
    addToggle(tr("Always on &Top"), isStaysOnTop(), &StickyWidget::enableStaysOnTop);
    addToggle(tr("Show in &Task Bar"), !isToolWindow(), &StickyWidget::showInTaskBar);
    menu->addSeparator();

    menu->addAction(tr("Rich Text &Editor"), this, &StickyWidget::showRichTextEditor);
    addColorEntries(menu->addMenu(tr("Change &Color")));
    menu->addAction(tr("Set/Edit &Reminder"), this, &StickyWidget::showReminderDialog);
    menu->addAction(QIcon(printerPicture()), tr("&Print"), this, &StickyWidget::print);
    menu->addSeparator();
    menu->addAction(tr("Sticky Control &Panel"), this, &StickyWidget::showControlPanel);
    return menu;
}

void StickyWidget::addColorEntries(QMenu *menu)
{
    const QList<QAction *> entries = ColorPresets::addEntries(menu);
    for (int preset = 0; preset < ColorPresets::kCount; ++preset)
        connect(entries.at(preset), &QAction::triggered, this, kPresetCommands[preset]);
    menu->addSeparator();
    menu->addAction(tr("More..."), this, &StickyWidget::showColorChangeDialog);
}

void StickyWidget::contextMenuEvent(QContextMenuEvent *event)
{
    qCDebug(lcNotes) << "StickyWidget::contextMenuEvent - start";
    const std::unique_ptr<QMenu> menu = createContextMenu();
    menu->exec(event->globalPos());
    qCDebug(lcNotes) << "StickyWidget::contextMenuEvent - end";
}

void StickyWidget::deleteSticky()
{
    qCDebug(lcNotes) << "StickyWidget::deleteSticky() - stickyID:" << m_stickyID;
    if (isLocked()) {
        UserPrompt::warning(this, tr("Sticky Locked"),
                            tr("<p>This sticky is locked.<p><p>In order to delete this sticky you "
                               "must first unlock it.</p>"),
                            QMessageBox::Ok, QMessageBox::Ok);
        return;
    }
    if (Preferences::userBool(Preferences::Names::DeleteWarning)) {
        RZToggleMessageBox box(
            tr("Warning: Deleting Sticky"),
            tr("<p>A deleted sticky goes to <i>Deleted Notes…</i> in the <i>Notes</i> menu of "
               "the control panel, where it can be restored for 30 days.  Any reminder "
               "associated with this sticky will NOT occur while it is deleted.</p><b><p>Do you "
               "still wish to delete this sticky?</p></b>"),
            Preferences::userKey(Preferences::Names::DeleteWarning), this);
        box.setCancelAsDefault();
        if (box.exec() != QDialog::Accepted)
            return;
    }
    // The main window removes and destroys the note.
    emit stickyDeleted(this);
}

bool StickyWidget::changeColor(const QString &rgb, const QString &name)
{
    if (!isColor(rgb)) {
        qCDebug(lcNotes) << "StickyWidget: not a colour, note keeps its own:" << rgb;
        return false;
    }
    m_colorRGB = rgb;
    m_colorName = name;
    applyColor();
    return true;
}

void StickyWidget::changeToPreset(const QString &colorNameKey, const QString &rgbKey)
{
    changeColor(Preferences::userString(rgbKey), Preferences::userString(colorNameKey));
}

void StickyWidget::changeToColorDefault()
{
    changeToPreset(Preferences::Names::DefaultColor, Preferences::Names::DefaultRGB);
}

void StickyWidget::changeToColorOne()
{
    changeToPreset(Preferences::Names::OneColor, Preferences::Names::OneRGB);
}

void StickyWidget::changeToColorTwo()
{
    changeToPreset(Preferences::Names::TwoColor, Preferences::Names::TwoRGB);
}

void StickyWidget::changeToColorThree()
{
    changeToPreset(Preferences::Names::ThreeColor, Preferences::Names::ThreeRGB);
}

void StickyWidget::changeToColorFour()
{
    changeToPreset(Preferences::Names::FourColor, Preferences::Names::FourRGB);
}

void StickyWidget::changeToColorFive()
{
    changeToPreset(Preferences::Names::FiveColor, Preferences::Names::FiveRGB);
}

void StickyWidget::showColorChangeDialog()
{
    qCDebug(lcNotes) << "StickyWidget::showColorChangeDialog()";
    RZColorSelectorDialog dialog(m_colorRGB, m_colorName, this);
    if (dialog.exec() == QDialog::Accepted)
        changeColor(dialog.selectedColorRGB(), dialog.selectedColorName());
}

void StickyWidget::print()
{
    qCDebug(lcNotes) << "StickyWidget::print() - stickyID:" << m_stickyID;
    NotePrinting::print(this, {{summaryText(), m_creationDate, message()}});
}
