#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// The entries of `menu` as a user reads them, "--" for a separator.
inline QStringList menuTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    return texts;
}
