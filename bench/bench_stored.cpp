// Many stored notes of which few are shown, loaded by the real main window:
// what a save costs the GUI thread, and the control panel's note list of all
// of them (opening it, searching it, scrolling it). Each case runs in a child
// process of its own on the offscreen platform, so no X server's round trips
// and no other case's memory are in its figures.

#include "benchmarks.h"
#include "childprocess.h"
#include "figures.h"
#include "notesfixture.h"

#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "notes/stickylist.h"
#include "notes/stickywidget.h"
#include "panel/notesearchbar.h"
#include "panel/tablewidget.h"
#include "widgets/trayicon.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kShownNotes = 100;

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double worst(const QList<double> &values)
{
    return values.isEmpty() ? -1 : *std::max_element(values.begin(), values.end());
}

// The GUI thread's part of the once-a-minute save: collecting every note and
// handing them to the writer thread. The writing itself runs in that thread
// and is waited for outside the clock. Each round follows an edit in one
// shown note, as when the user typed since the last save.
void benchSave(MainWindow &window, int count)
{
    window.saveStickiesInBackground(); // the first save also fills the backup table
    window.waitForPendingSaves();
    QList<StickyWidget *> shown;
    for (StickyWidget *sticky : std::as_const(stickyList)) {
        if (sticky->isVisible())
            shown.append(sticky);
    }
    QList<double> wall;
    QList<double> cpu;
    constexpr int kRounds = 7;
    for (int round = 0; round < kRounds; ++round) {
        if (!shown.isEmpty())
            shown.at(round % shown.size())->textBrowser()->append(QStringLiteral("typed"));
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = threadCpuNanoseconds();
        window.saveStickiesInBackground();
        cpu << double(threadCpuNanoseconds() - cpuStart) / 1e6;
        wall << elapsedMs(timer);
        window.waitForPendingSaves();
    }
    printFigure(QStringLiteral("save-%1").arg(count), median(wall), "ms");
    printFigure(QStringLiteral("save-%1-worst").arg(count), worst(wall), "ms");
    printFigure(QStringLiteral("save-%1-cpu").arg(count), median(cpu), "ms");
}

// Processes events until the window is on screen and nothing is left to do,
// so its first paint is counted.
void settleWindow(QWidget &window)
{
    QCoreApplication::processEvents();
    QWindow *handle = window.windowHandle();
    while (handle && !handle->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();
}

QAbstractScrollArea *scrollAreaAround(QWidget *widget)
{
    for (QWidget *ancestor = widget; ancestor; ancestor = ancestor->parentWidget()) {
        if (auto *area = qobject_cast<QAbstractScrollArea *>(ancestor))
            return area;
    }
    return nullptr;
}

void activateLayout(QWidget *widget)
{
    if (widget && widget->layout())
        widget->layout()->activate();
}

// The control panel's list of every note: opening the panel builds it, then a
// search is typed into the panel's field and taken back, and the list is
// scrolled by wheel and page steps. Everything goes through the panel as the
// user drives it.
void benchNoteList(MainWindow &window, int count)
{
    const QString suffix = QString::number(count);
    // Someone who keeps this many notes gives the panel some room.
    window.resize(720, 540);
    QElapsedTimer timer;
    timer.start();
    QElapsedTimer opened;
    opened.start();
    const qint64 cpuStart = threadCpuNanoseconds();
    window.showControlPanel();
    settleWindow(window);
    activateLayout(window.findChild<TableWidget *>());
    QCoreApplication::processEvents();
    printFigure(QStringLiteral("notelist-build-") + suffix, elapsedMs(timer), "ms");
    printFigure(QStringLiteral("notelist-build-%1-cpu").arg(count),
                double(threadCpuNanoseconds() - cpuStart) / 1e6, "ms");

    auto *bar = window.findChild<NoteSearchBar *>();
    TableWidget *list = window.findChild<TableWidget *>();
    QAbstractScrollArea *area = scrollAreaAround(list);
    if (!bar || !list || !area) {
        printNote(QStringLiteral("the control panel shows no note list to search or scroll"));
        return;
    }
    if (!QTest::qWaitForWindowActive(&window))
        printNote(QStringLiteral("the control panel did not become active"));
    // The focus in the list, as after a click in it; the search starts with
    // Ctrl+F.
    area->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();

    // Ctrl+F: the field takes the focus and the list readies its search.
    timer.restart();
    bar->field()->setFocus(Qt::ShortcutFocusReason);
    QCoreApplication::processEvents();
    printFigure(QStringLiteral("filter-focus-") + suffix, elapsedMs(timer), "ms");
    // The list reads the notes' texts for the search on a worker thread once
    // it is open; a key typed before that is done waits for the rest. A
    // person reads the list before typing: the keystrokes below come once
    // the texts are read, and the time until then is a figure of its own.
    while (list->isPreparingFilter())
        QTest::qWait(2);
    printFigure(QStringLiteral("filter-ready-") + suffix, elapsedMs(opened), "ms");

    // A keystroke ends when the first screenful of rows is laid out and
    // painted; the rest of the list may follow from the event loop, and the
    // time until it has is the settled time.
    const QString query = QStringLiteral("office zurich");
    QList<double> keystrokes;
    QList<double> settled;
    QStringList typed; // the field's text after each keystroke, and the key
    const auto timedKey = [&](Qt::Key key) {
        TableWidget *shownList = window.findChild<TableWidget *>();
        timer.restart();
        QTest::keyClick(bar->field(), key, Qt::NoModifier);
        activateLayout(&window);
        activateLayout(shownList);
        QCoreApplication::processEvents();
        keystrokes << elapsedMs(timer);
        typed << QStringLiteral("\"%1\" (%2)")
                     .arg(bar->field()->text(), key == Qt::Key_Backspace
                                                    ? QStringLiteral("taking back")
                                                    : QStringLiteral("typing"));
        activateLayout(shownList);
        QCoreApplication::processEvents();
        settled << elapsedMs(timer);
    };
    for (const QChar c : query)
        timedKey(Qt::Key(c.toUpper().unicode()));
    printNote(QStringLiteral("\"%1\" leaves %2 of %3 notes in the list")
                  .arg(bar->field()->text())
                  .arg(list->shownCount())
                  .arg(list->noteCount()));
    for (qsizetype i = 0; i < query.size(); ++i)
        timedKey(Qt::Key_Backspace);
    const qsizetype worstKey =
        std::max_element(keystrokes.cbegin(), keystrokes.cend()) - keystrokes.cbegin();
    printNote(
        QStringLiteral("the slowest keystroke left %1 in the field").arg(typed.value(worstKey)));
    printFigure(QStringLiteral("filter-keystroke-") + suffix, worst(keystrokes), "ms");
    printFigure(QStringLiteral("filter-keystroke-%1-first").arg(count), keystrokes.value(0, -1),
                "ms");
    printFigure(QStringLiteral("filter-keystroke-%1-median").arg(count), median(keystrokes), "ms");
    printFigure(QStringLiteral("filter-settled-") + suffix, worst(settled), "ms");

    // Scrolling the whole list: one wheel step or one page step, until the
    // rows that came into view are painted.
    QScrollBar *scrollBar = area->verticalScrollBar();
    const auto timedSteps = [&](QAbstractSlider::SliderAction action, int steps) {
        QList<double> times;
        for (int i = 0; i < steps && scrollBar->value() < scrollBar->maximum(); ++i) {
            timer.restart();
            scrollBar->triggerAction(action);
            area->viewport()->repaint();
            QCoreApplication::processEvents();
            times << elapsedMs(timer);
        }
        return times;
    };
    QList<double> wheel;
    QList<double> page;
    for (const double start : {0.0, 0.5}) {
        scrollBar->setValue(int(scrollBar->maximum() * start));
        area->viewport()->repaint();
        QCoreApplication::processEvents();
        wheel += timedSteps(QAbstractSlider::SliderSingleStepAdd, 30);
        page += timedSteps(QAbstractSlider::SliderPageStepAdd, 10);
    }
    printNote(QStringLiteral("scrolled a list %1 px high in a view of %2 px")
                  .arg(scrollBar->maximum() + scrollBar->pageStep())
                  .arg(area->viewport()->height()));
    printFigure(QStringLiteral("notelist-scroll-step-") + suffix,
                std::max(worst(wheel), worst(page)), "ms");
    printFigure(QStringLiteral("notelist-scroll-wheel-step-%1").arg(count), worst(wheel), "ms");
    printFigure(QStringLiteral("notelist-scroll-wheel-step-%1-median").arg(count), median(wheel),
                "ms");
    printFigure(QStringLiteral("notelist-scroll-page-step-%1").arg(count), worst(page), "ms");
}

} // namespace

int runStoredCase(const QStringList &arguments)
{
    // arguments: <folder> <count> [--list]
    const QString folder = arguments.value(0);
    const int count = arguments.value(1).toInt();
    AppPaths::setApplicationDirectoryForTesting(folder);
    // As on a desktop with a tray: the control panel stays hidden until opened.
    TrayIcon::setTrayAvailableForTesting(true);

    QElapsedTimer timer;
    timer.start();
    auto *window = new MainWindow;
    QCoreApplication::processEvents();
    printFigure(QStringLiteral("stored-load-%1-%2-visible").arg(count).arg(kShownNotes),
                elapsedMs(timer), "ms");
    printFigure(QStringLiteral("stored-resident-%1-%2-visible").arg(count).arg(kShownNotes),
                double(residentKilobytesOf(QStringLiteral("self"))) / 1024, "MB");
    benchSave(*window, count);
    if (arguments.contains(QLatin1String("--list")))
        benchNoteList(*window, count);
    window->waitForPendingSaves();
    delete window;
    return 0;
}

void benchStoredNotes(const QString &benchProgram)
{
    for (const int count : {1000, 10000}) {
        QTemporaryDir folder;
        const QString dataDirectory = folder.path() + QStringLiteral("/.NotarellaData/");
        NotesFixture::writeStoredNotes(dataDirectory, dataDirectory + QStringLiteral("bench"),
                                       count, kShownNotes);
        QStringList childArguments = {QStringLiteral("--stored-case"), folder.path(),
                                      QString::number(count)};
        // The list of 1,000 is measured on its own (notelist-build-1000).
        if (count == 10000)
            childArguments << QStringLiteral("--list");
        if (!runOffscreenCase(benchProgram, childArguments, 900000))
            printNote(QStringLiteral("the case of %1 stored notes did not finish").arg(count));
    }
}
