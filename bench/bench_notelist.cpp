#include "../tests/support/testnotes.h"
#include "benchmarks.h"

#include "app/mainwindow.h"
#include "notes/stickywidget.h"
#include "panel/notesearchbar.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <QVBoxLayout>

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

// About 2 KB of plain text in a note; each note names one of a few dozen
// projects, so a search narrows the list to a few rows.
QString searchedNoteHtml(int index)
{
    static const QStringList projects = {
        "alpha",   "bravo", "charlie", "delta",  "echo",     "foxtrot", "golf",   "hotel",  "india",
        "juliett", "kilo",  "lima",    "mike",   "november", "oscar",   "papa",   "quebec", "romeo",
        "sierra",  "tango", "uniform", "victor", "whiskey",  "xray",    "yankee", "zulu"};
    QString html;
    int plainSize = 0;
    for (int line = 0; plainSize < 2048; ++line) {
        const QString text = QStringLiteral("Note %1, line %2: buy milk for the café, call the "
                                            "office about project %3 and water the plants.")
                                 .arg(index)
                                 .arg(line)
                                 .arg(projects.at(index % projects.size()));
        html += QStringLiteral("<p>") + text + QStringLiteral("</p>");
        plainSize += int(text.size()) + 1;
    }
    return html;
}

// Types a query into the panel's search field one key at a time and takes it
// back again, timing each keystroke until the list is laid out and painted.
void benchFilterKeystrokes()
{
    constexpr int kNotes = 1000;
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < kNotes; ++i) {
        const QDateTime reminder = i % 10 == 0 ? now.addDays(i) : QDateTime();
        stickyList << newTestNote(i + 1, "#FFFF00", "Yellow", now.addSecs(-60 * i), reminder,
                                  reminder, QString(), false, searchedNoteHtml(i));
    }
    QWidget panel;
    auto *bar = new NoteSearchBar(&panel);
    auto *area = new QScrollArea(&panel);
    area->setWidgetResizable(true);
    auto *layout = new QVBoxLayout(&panel);
    layout->addWidget(bar);
    layout->addWidget(area);
    auto *list = new TableWidget;
    area->setWidget(list);
    QObject::connect(bar, &NoteSearchBar::queryChanged, list, [bar, list](const QString &query) {
        bar->setCounts(list->applyFilter(query), list->noteCount());
    });
    QObject::connect(bar, &NoteSearchBar::searchStarting, list, &TableWidget::prepareFilter);
    panel.resize(560, 400);
    // The panel opens with the list focused, as after a click in it; the
    // search starts with Ctrl+F.
    area->setFocus();
    panel.show();
    if (!QTest::qWaitForWindowActive(&panel))
        std::fprintf(stderr, "the panel did not become active\n");
    QCoreApplication::processEvents();
    QElapsedTimer focusTimer;
    focusTimer.start();
    bar->field()->setFocus(Qt::ShortcutFocusReason); // Ctrl+F, as a user starts a search
    QCoreApplication::processEvents();
    const double focusMs = double(focusTimer.nsecsElapsed()) / 1e6;

    const QString query = QStringLiteral("project kilo");
    // A keystroke ends when the rows of the first screenful are laid out and
    // painted; the rows below it follow from the event loop, and the time
    // until the last of them is in place is the settled time.
    QList<double> keystrokes;
    QList<double> settled;
    const auto timedKey = [&](Qt::Key key) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(bar->field(), key, Qt::NoModifier);
        panel.layout()->activate();
        list->layout()->activate();
        QCoreApplication::processEvents();
        keystrokes << double(timer.nsecsElapsed()) / 1e6;
        list->layout()->activate();
        QCoreApplication::processEvents();
        settled << double(timer.nsecsElapsed()) / 1e6;
    };
    for (int round = 0; round < 3; ++round) {
        for (const QChar c : query)
            timedKey(Qt::Key(c.toUpper().unicode()));
        for (int i = 0; i < query.size(); ++i)
            timedKey(Qt::Key_Backspace);
    }
    const double first = keystrokes.constFirst();
    std::sort(keystrokes.begin(), keystrokes.end());
    std::sort(settled.begin(), settled.end());
    std::printf("figure: filter-keystroke-1000 %.1f ms\n", keystrokes.constLast());
    std::printf("figure: filter-keystroke-1000-median %.1f ms\n",
                keystrokes.at(keystrokes.size() / 2));
    std::printf("figure: filter-keystroke-1000-first %.1f ms\n", first);
    std::printf("figure: filter-settled-1000 %.1f ms\n", settled.constLast());
    std::printf("figure: filter-focus-1000 %.1f ms\n", focusMs);
    std::fflush(stdout);
    delete area->takeWidget();
    qDeleteAll(std::exchange(stickyList, {}));
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
        stickyList << newTestNote(
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
    benchFilterKeystrokes();
}
