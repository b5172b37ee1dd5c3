#include "app/globalkeycommand.h"

#include "base/tracing.h"
#include "notes/stickywidget.h"
#include "platform/globalshortcut.h"
#include "settings/preferences.h"
#include "ui/userprompt.h"

#include <QTextBrowser>

namespace {

QString refusalText(X11Keys::Refusal refusal)
{
    switch (refusal) {
    case X11Keys::Refusal::NoModifier:
        return GlobalKeyCommand::tr("Without Ctrl, Alt or Super it would be lost to typing in "
                                    "every other program (only F1 to F35 may stand alone).");
    case X11Keys::Refusal::NotOnKeyboard:
        return GlobalKeyCommand::tr("No key of this keyboard gives it.");
    case X11Keys::Refusal::NotOneKey:
    case X11Keys::Refusal::None:
        break;
    }
    return GlobalKeyCommand::tr("Only one key, with Ctrl, Alt, Shift or Super, can be taken.");
}

} // namespace

GlobalKeyCommand::GlobalKeyCommand(QWidget *window, std::function<StickyWidget *()> newNote)
    : QObject(window), m_window(window), m_newNote(std::move(newNote))
{
}

void GlobalKeyCommand::apply(bool report)
{
    if (!m_shortcut) {
        m_shortcut = new GlobalShortcut(this);
        connect(m_shortcut, &GlobalShortcut::activated, this, &GlobalKeyCommand::makeNote);
    }
    const QKeySequence sequence =
        QKeySequence::fromString(Preferences::globalShortcut(), QKeySequence::PortableText);
    const GlobalShortcut::Result result = m_shortcut->setKeySequence(sequence);
    qCDebug(lcApp) << "GlobalKeyCommand::apply()" << sequence.toString() << int(result);
    const QString key = sequence.toString(QKeySequence::NativeText).toHtmlEscaped();
    if (!report)
        return;
    if (result == GlobalShortcut::Result::Taken) {
        UserPrompt::notify(
            m_window, tr("Notarella - Key for a New Note"),
            tr("<p>The key <b>%1</b> is already taken by another program, so it does not make "
               "new notes.</p><p>Choose another key in <i>Options</i>, or free the key in the "
               "other program: Notarella tries again when it starts and when you save the "
               "options.</p>")
                .arg(key));
    } else if (result == GlobalShortcut::Result::Unusable) {
        UserPrompt::notify(m_window, tr("Notarella - Key for a New Note"),
                           tr("<p>The key <b>%1</b> cannot make new notes from other programs: "
                              "%2</p><p>Choose another key in <i>Options</i>.</p>")
                               .arg(key, refusalText(m_shortcut->refusal()).toHtmlEscaped()));
    }
}

void GlobalKeyCommand::release()
{
    if (m_shortcut)
        m_shortcut->setKeySequence(QKeySequence());
}

void GlobalKeyCommand::makeNote()
{
    qCDebug(lcApp) << "GlobalKeyCommand::makeNote()";
    StickyWidget *note = m_newNote();
    if (!note)
        return;
    // Another program had the focus when the key was pressed: the note must
    // take it, with the cursor in its text, so typing goes on there.
    note->raise();
    note->activateWindow();
    note->textBrowser()->setFocus(Qt::ShortcutFocusReason);
}
