// The commands of a note: its context menu, deleting, recolouring,
// printing, its reminder and its editor. Construction, looks and mouse
// handling are in stickywidget.cpp.

#include "base/tracing.h"
#include "notes/notekeys.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "reminders/periodicschedule.h"
#include "reminders/reminderdialog.h"
#include "reminders/remindertiming.h"
#include "reminders/setreminderdialog.h"
#include "richtext/elinktextbrowser.h"
#include "richtext/rzrichtexteditor.h"
#include "settings/preferences.h"
#include "ui/remindersound.h"
#include "ui/userprompt.h"
#include "widgets/colorpresets.h"
#include "widgets/noteprinting.h"
#include "widgets/printerpicture.h"
#include "widgets/rzcolorselectordialog.h"
#include "widgets/rztogglemessagebox.h"

#include <QColor>
#include <QContextMenuEvent>
#include <QDateTimeEdit>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

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
    edit(NoteField::Color, [&](Note &values) {
        values.colorRGB = rgb;
        values.colorName = name;
    });
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
    RZColorSelectorDialog dialog(colorRGB(), colorName(), this);
    if (dialog.exec() == QDialog::Accepted)
        changeColor(dialog.selectedColorRGB(), dialog.selectedColorName());
}

void StickyWidget::print()
{
    qCDebug(lcNotes) << "StickyWidget::print() - stickyID:" << m_stickyID;
    NotePrinting::print(this, {{summaryText(), creationDate(), message()}});
}

ReminderDialog *StickyWidget::openReminderDialog()
{
    showNormal();
    activateWindow();
    auto *dialog = new ReminderDialog(summaryText(), originalReminderDate());
    const QString soundFile = Preferences::userString(Preferences::Names::ReminderNoticeSoundFile);
    if (Preferences::userBool(Preferences::Names::ReminderNoticePlaySound) && !soundFile.isEmpty())
        playReminderSound(soundFile);
    dialog->move(x() + width() / 2 - 130, y() + height() / 2 - 80);
    return dialog;
}

void StickyWidget::reminderAnswered(int result, int snoozeMinutes)
{
    m_reminderDialogOpen = false;
    const QString mask = periodicMask();
    edit(NoteField::Reminder, [&](Note &values) {
        if (result == QDialog::Accepted) {
            values.reminderDate =
                ReminderTiming::snoozeUntil(QDateTime::currentDateTime(), snoozeMinutes);
        } else if (PeriodicSchedule::isPeriodicMask(mask)) {
            // A periodic reminder moves on to its next occurrence.
            const auto schedule = PeriodicSchedule::fromMask(mask);
            const auto next =
                schedule ? schedule->nextMatch(QDateTime::currentDateTime()) : std::nullopt;
            values.reminderDate = next.value_or(QDateTime());
            values.originalReminderDate = values.reminderDate;
        } else {
            values.reminderDate = QDateTime();
            values.originalReminderDate = QDateTime();
        }
    });
    activateWindow();
}

void StickyWidget::showReminderDialog()
{
    qCDebug(lcNotes) << "StickyWidget::showReminderDialog()";
    SetReminderDialog dialog(this);
    dialog.setReminderDate(reminderDate(), periodicMask());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QDateTime chosen = ReminderTiming::withoutSeconds(dialog.reminderDate());
    // A periodic reminder keeps its pattern; any other choice clears it, so a
    // one-time reminder is never described as periodic.
    setReminder(chosen, chosen, dialog.periodicMask());
    qCDebug(lcNotes) << "Received new reminder of:" << chosen;
}

void StickyWidget::showRichTextEditor()
{
    qCDebug(lcNotes) << "StickyWidget::showRichTextEditor() - stickyID:" << m_stickyID;
    rz_RichTextEditor editor(this);
    // A locked note's text cannot change: its editor only shows it.
    const bool locked = isLocked();
    editor.setReadOnly(locked);
    editor.setHtml(message());
    editor.setTextBackground(QColor(colorRGB()));
    if (editor.exec() != QDialog::Accepted || locked || isLocked())
        return;
    // One step of the note's own undo takes the editor's changes back.
    textBrowser();
    m_textBrowser->replaceHtmlUndoably(editor.html());
    lostFocus();
}

void StickyWidget::setCreationDate()
{
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    auto *editor = new QDateTimeEdit(creationDate(), &dialog);
    layout->addWidget(editor);
    auto *buttons = new QHBoxLayout;
    auto *okay = new QPushButton(tr("Okay"), &dialog);
    auto *cancel = new QPushButton(tr("Cancel"), &dialog);
    buttons->addWidget(okay);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(okay, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted) {
        const QDateTime chosen = editor->dateTime();
        edit(NoteField::Created, [&chosen](Note &values) { values.creationDate = chosen; });
    }
    changeLanguage();
}

void StickyWidget::enableStaysOnTop(bool enable)
{
    qCDebug(lcNotes) << "StickyWidget::enableStaysOnTop(" << enable << ")";
    edit(NoteField::OnTop, [enable](Note &values) { values.alwaysOnTop = enable; });
    show();
    activateWindow();
}

void StickyWidget::showInTaskBar(bool i_show)
{
    edit(NoteField::TaskBar, [i_show](Note &values) { values.taskbarEntry = i_show; });
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
}

bool StickyWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_textBrowser && event->type() == QEvent::FocusOut)
        lostFocus();
    if (watched == m_textBrowser && event->type() == QEvent::KeyPress &&
        handleNoteKey(static_cast<QKeyEvent *>(event)))
        return true;
    // On X11 the Menu key also comes as a context menu request before the
    // key itself; the key opens the note's menu, so the text area's own
    // menu must not open as well.
    if (watched == m_textBrowser && event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool StickyWidget::handleNoteKey(const QKeyEvent *event)
{
    if (NoteKeys::opensMenu(event->key(), event->modifiers())) {
        openMenuFromKeyboard();
        return true;
    }
    if (const int step = NoteKeys::noteStep(event->key(), event->modifiers())) {
        focusNextNote(step);
        return true;
    }
    return false;
}

void StickyWidget::openMenuFromKeyboard()
{
    const QRect cursor = m_textBrowser->cursorRect();
    const QPoint place = m_textBrowser->viewport()->rect().contains(cursor.bottomLeft())
                             ? m_textBrowser->viewport()->mapTo(this, cursor.bottomLeft())
                             : QPoint(0, 0);
    QContextMenuEvent request(QContextMenuEvent::Keyboard, place, mapToGlobal(place));
    QCoreApplication::sendEvent(this, &request);
}

void StickyWidget::focusNextNote(int step)
{
    QList<bool> shown;
    shown.reserve(stickyList.size());
    for (const StickyWidget *note : std::as_const(stickyList))
        shown.append(note->isVisible());
    const int next = NoteKeys::nextShown(shown, int(stickyList.indexOf(this)), step);
    if (next < 0)
        return;
    StickyWidget *note = stickyList.at(next);
    note->raise();
    note->activateWindow();
    note->textBrowser()->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}
