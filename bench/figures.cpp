#include "figures.h"

#include <cstdio>
#include <ctime>

void printFigure(const QString &name, double value, const char *unit)
{
    std::printf("figure: %s %.3f %s\n", qPrintable(name), value, unit);
    std::fflush(stdout);
}

void printNote(const QString &text)
{
    std::printf("# %s\n", qPrintable(text));
    std::fflush(stdout);
}

qint64 threadCpuNanoseconds()
{
    timespec now = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}
