#include "benchmarks.h"

#include "app/mainwindow.h"
#include "app/preferences.h"
#include "notes/stickywidget.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLayout>
#include <QScrollArea>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double processCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct BuildTime
{
    double wallMs;
    double cpuMs; // the part that does not depend on how busy the machine is
};

// Time to build the list for the notes in stickyList and put it on screen in
// a scroll area, the previous list going, as the control panel does after
// every change.
BuildTime buildOnce(QScrollArea &area)
{
    const double cpuStart = processCpuMilliseconds();
    QElapsedTimer timer;
    timer.start();
    auto *list = new TableWidget(&area);
    area.setWidget(list); // deletes the previous list, as in the panel
    list->show();
    list->layout()->activate();
    QCoreApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, processCpuMilliseconds() - cpuStart};
}

} // namespace

void benchNoteList()
{
    using namespace Preferences;
    for (const Preference &entry : allPreferences())
        NativeSettings::setValue(userKey(entry.name), entry.factoryDefault);

    const QStringList colours = {"#FFFF00", "#ADD8E6", "#90EE90", "#FFA500", "#FFC0CB"};
    const QStringList names = {"Yellow", "Light Blue", "Light Green", "Light Orange", "Pink"};
    const QDateTime now = QDateTime::currentDateTime();
    constexpr int kNotes = 1000;
    for (int i = 0; i < kNotes; ++i) {
        // Every tenth note carries a reminder.
        const QDateTime reminder = i % 10 == 0 ? now.addDays(i) : QDateTime();
        stickyList << new StickyWidget(
            i + 1, colours.at(i % colours.size()), names.at(i % names.size()), now.addSecs(-60 * i),
            reminder, reminder, QString(), false,
            QStringLiteral("<p>Note %1: call the office about the <b>quarterly</b> figures and "
                           "water the plants.</p><p>Second line.</p>")
                .arg(i));
    }

    QScrollArea area;
    area.resize(500, 400);
    area.show();
    QList<double> wall;
    QList<double> cpu;
    for (int round = 0; round < 7; ++round) {
        const BuildTime time = buildOnce(area);
        wall << time.wallMs;
        cpu << time.cpuMs;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("figure: notelist-build-1000 %.1f ms\n", wall.at(wall.size() / 2));
    std::printf("figure: notelist-build-1000-cpu %.1f ms\n", cpu.at(cpu.size() / 2));
    std::fflush(stdout);

    delete area.takeWidget();
    qDeleteAll(std::exchange(stickyList, {}));
}
