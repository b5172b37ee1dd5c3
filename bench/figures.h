#pragma once

#include <QString>
#include <QtGlobal>

// The lines every part of the bench prints, and the clock it reads them from.

// "figure: <name> <value> <unit>", flushed at once so a parent reading the
// output of a child bench sees it in order.
void printFigure(const QString &name, double value, const char *unit);

// "# <text>": a remark beside the figures, never read as one.
void printNote(const QString &text);

// CPU time of the calling thread: what work costs the GUI thread itself,
// apart from the time other busy threads of the machine take from it.
qint64 threadCpuNanoseconds();
