#include "app/mainwindow.h"
#include "base/apppaths.h"
#include "dialogdriving.h"
#include "mainwindowtestaccess.h"
#include "menutexts.h"
#include "notes/stickywidget.h"
#include "panel/tablewidget.h"
#include "platform/nativesettings.h"
#include "richtext/rzopendefaultbrowser.h"
#include "settings/preferences.h"
#include "testnotes.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/noteprinting.h"
#include "widgets/trayicon.h"

#include <QCheckBox>
#include <QFile>
#include <QLoggingCategory>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <memory>

namespace {

QPushButton *panelButton(const MainWindow &window, const QString &text)
{
    return DialogDriving::button(&window, text);
}

int storedNotes(const MainWindow &window)
{
    QSqlQuery query(MainWindowTestAccess::database(window));
    query.exec(QStringLiteral("SELECT COUNT(*) FROM stickies"));
    return query.next() ? query.value(0).toInt() : -1;
}

// How many stored notes hold `text`: an edit not yet saved is not among them.
int storedWith(const MainWindow &window, const QString &text)
{
    QSqlQuery query(MainWindowTestAccess::database(window));
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM stickies WHERE message LIKE ?"));
    query.addBindValue(QLatin1Char('%') + text + QLatin1Char('%'));
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

// The visibility check boxes of the panel's list, in row order.
QList<bool> listedVisibility(const MainWindow &window)
{
    QList<bool> ticks;
    auto *list = qobject_cast<TableWidget *>(window.findChild<QScrollArea *>()->widget());
    if (!list)
        return ticks;
    for (int i = 0; i < list->noteCount(); ++i)
        ticks.append(
            qobject_cast<QCheckBox *>(list->cell(i, TableWidget::VisibleColumn))->isChecked());
    return ticks;
}

} // namespace

class TestControlPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void trayMenuWithFactorySettings();
    void presetChangeReachesMenuAndNewNotes();
    void colourNameWithAmpersandInTrayMenu();
    void menuEntriesCreateTheirPreset_data();
    void menuEntriesCreateTheirPreset();
    void raisingNeverShowsHiddenNotes();
    void activatingAllShowsHiddenNotes();
    void listIsBuiltOnceAtStart();
    void panelTexts();
    void helpButtonRemembersItWasPressed();
    void closeButton_data();
    void closeButton();
    void showingRestoresAMinimisedPanel();
    void printChoice_data();
    void printChoice();
    void printingToPdfWithoutPrinter();
    void failingPrinterIsReported();
    void withoutTrayThePanelShows();
    void quittingTakesTheIconAway();

private:
    void startWithNotes(int count);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<MainWindow> m_window;
};

void TestControlPanel::initTestCase()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(NativeSettings::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(NativeSettings::kApplication));
    qputenv("USERNAME", "panel");
    StandardDialogs::setAnswerOnlyFromQueue(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestControlPanel::init()
{
    TrayIcon::setTrayAvailableForTesting(true);
    NativeSettings::remove(QString());
    m_folder = std::make_unique<QTemporaryDir>();
    AppPaths::setApplicationDirectoryForTesting(m_folder->path());
    UserPrompt::takeHistory();
    StandardDialogs::takeHistory();
    StandardDialogs::clearAnswers();
}

void TestControlPanel::cleanup()
{
    m_window.reset();
    RZOpenDefaultBrowser::setLauncherForTesting({});
}

// A first start (welcome note), then `count` notes more in the default colour.
void TestControlPanel::startWithNotes(int count)
{
    m_window = std::make_unique<MainWindow>();
    for (int i = 0; i < count; ++i)
        m_window->createStickyDefault();
}

void TestControlPanel::trayMenuWithFactorySettings()
{
    m_window = std::make_unique<MainWindow>();
    const QMenu *menu = MainWindowTestAccess::trayMenu(*m_window);
    QCOMPARE(
        menuTexts(*menu),
        QStringList({"&Default Sticky (Yellow)", "--", "&1 - Light Blue Sticky",
                     "&2 - Light Green Sticky", "&3 - Light Orange Sticky", "&4 - Pink Sticky",
                     "&5 - Yellow Sticky", "--", "Raise &Visible Stickies",
                     "Activate &All Stickies ", "--", "Sticky Control &Panel", "--", "E&xit"}));
    const QList<QAction *> actions = menu->actions();
    const QList<QPair<int, QString>> swatches = {
        {0, "#FFFF00"}, {2, "#ADD8E6"}, {3, "#90EE90"}, {6, "#FFFF00"}};
    for (const auto &[index, rgb] : swatches) {
        const QImage swatch = actions.at(index)->icon().pixmap(12, 12).toImage();
        QCOMPARE(swatch.pixelColor(5, 5), QColor(rgb));
        QCOMPARE(swatch.pixelColor(0, 0), QColor(Qt::black));
    }
    QVERIFY(actions.at(8)->icon().isNull());
    QCOMPARE(m_window->trayIcon()->toolTip(), QStringLiteral("Notarella"));
    QVERIFY(m_window->trayIcon()->isInTray());
}

void TestControlPanel::presetChangeReachesMenuAndNewNotes()
{
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::OneColor),
                             QStringLiteral("Peach %2 Puff"));
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::OneRGB),
                             QStringLiteral("#FFDAB9"));
    QAction *one = MainWindowTestAccess::trayMenu(*m_window)->actions().at(2);
    one->trigger(); // read at the moment of the command, menu text or not
    QCOMPARE(stickyList.last()->colorRGB(), QStringLiteral("#FFDAB9"));
    QCOMPARE(stickyList.last()->colorName(), QStringLiteral("Peach %2 Puff"));
    QCOMPARE(one->text(), QStringLiteral("&1 - Light Blue Sticky"));

    m_window->changeLanguage();
    QCOMPARE(one->text(), QStringLiteral("&1 - Peach %2 Puff Sticky"));
    QCOMPARE(one->icon().pixmap(12, 12).toImage().pixelColor(5, 5), QColor("#FFDAB9"));
}

// A colour name is shown as typed: its "&" marks no shortcut.
void TestControlPanel::colourNameWithAmpersandInTrayMenu()
{
    m_window = std::make_unique<MainWindow>();
    for (const QString &name : {Preferences::Names::DefaultColor, Preferences::Names::OneColor})
        NativeSettings::setValue(Preferences::userKey(name), QStringLiteral("Salt & Pepper"));
    m_window->changeLanguage();
    const QList<QAction *> actions = MainWindowTestAccess::trayMenu(*m_window)->actions();
    QCOMPARE(actions.at(0)->text(), QStringLiteral("&Default Sticky (Salt && Pepper)"));
    QCOMPARE(actions.at(2)->text(), QStringLiteral("&1 - Salt && Pepper Sticky"));
    QCOMPARE(actions.at(2)->iconText(), QStringLiteral("1 - Salt & Pepper Sticky"));
}

void TestControlPanel::menuEntriesCreateTheirPreset_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("name");
    QTest::newRow("default") << 0 << "#FFFF00"
                             << "Yellow";
    QTest::newRow("one") << 2 << "#ADD8E6"
                         << "Light Blue";
    QTest::newRow("two") << 3 << "#90EE90"
                         << "Light Green";
    QTest::newRow("three") << 4 << "#FFA500"
                           << "Light Orange";
    QTest::newRow("four") << 5 << "#FFC0CB"
                          << "Pink";
    QTest::newRow("five") << 6 << "#FFFF00"
                          << "Yellow";
}

void TestControlPanel::menuEntriesCreateTheirPreset()
{
    QFETCH(int, entry);
    QFETCH(QString, rgb);
    QFETCH(QString, name);
    m_window = std::make_unique<MainWindow>();
    m_window->showControlPanel();
    const qsizetype before = stickyList.size();
    MainWindowTestAccess::trayMenu(*m_window)->actions().at(entry)->trigger();
    QCOMPARE(stickyList.size(), before + 1);
    const StickyWidget *created = stickyList.last();
    QCOMPARE(created->colorName(), name);
    QCOMPARE(created->colorRGB().toUpper(), rgb);
    QVERIFY(created->isVisible());
    QCOMPARE(listedVisibility(*m_window).size(), int(stickyList.size()));
}

void TestControlPanel::raisingNeverShowsHiddenNotes()
{
    startWithNotes(2);
    stickyList.at(1)->hide();
    MainWindowTestAccess::trayMenu(*m_window)->actions().at(8)->trigger();
    QVERIFY(stickyList.at(0)->isVisible());
    QVERIFY(stickyList.at(1)->isHidden());
    QVERIFY(stickyList.at(2)->isVisible());
}

void TestControlPanel::activatingAllShowsHiddenNotes()
{
    startWithNotes(2);
    stickyList.at(0)->hide();
    stickyList.at(2)->hide();
    m_window->showControlPanel();
    m_window->changeLanguage(); // the list as it is now
    QCOMPARE(listedVisibility(*m_window), QList<bool>({false, true, false}));

    MainWindowTestAccess::trayMenu(*m_window)->actions().at(9)->trigger();
    for (const StickyWidget *sticky : std::as_const(stickyList))
        QVERIFY(sticky->isVisible());
    QCOMPARE(listedVisibility(*m_window), QList<bool>({true, true, true}));
}

void TestControlPanel::listIsBuiltOnceAtStart()
{
    startWithNotes(4);
    m_window->saveStickies();
    m_window.reset();
    static int builds = 0;
    builds = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &message) {
            if (message.contains(QLatin1String("NoteListArea::rebuild() - new list")))
                ++builds;
        });
    QLoggingCategory::setFilterRules(QStringLiteral("notarella.panel.debug=true"));
    m_window = std::make_unique<MainWindow>(); // loads the five stored notes
    QCOMPARE(int(stickyList.size()), 5);
    QCOMPARE(builds, 0); // the panel is hidden: no list yet
    m_window->createStickyDefault();
    QCOMPARE(builds, 0);

    m_window->showControlPanel();
    QCOMPARE(builds, 1); // one list for all six notes
    QCOMPARE(listedVisibility(*m_window).size(), 6);
    m_window->createStickyDefault(); // shown: the new note is listed at once
    QCOMPARE(builds, 2);
    QCOMPARE(listedVisibility(*m_window).size(), 7);
    m_window->hide();
    m_window->showControlPanel(); // nothing changed meanwhile
    qInstallMessageHandler(previous);
    QCOMPARE(builds, 2);
}

void TestControlPanel::panelTexts()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(!m_window->isVisible());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Notarella - Control Panel"));
    for (const char *text : {"&Start Here!", "&Options", "&Print", "&Close"})
        QVERIFY2(panelButton(*m_window, QString::fromLatin1(text)), text);
    QCOMPARE(panelButton(*m_window, QStringLiteral("&Print"))->icon().pixmap(32, 32).size(),
             QSize(32, 32));
    QCOMPARE(m_window->minimumHeight(), 175);
    const auto *area = m_window->findChild<QScrollArea *>();
    QCOMPARE(area->palette().color(QPalette::Inactive, QPalette::Window), QColor(Qt::white));
}

void TestControlPanel::helpButtonRemembersItWasPressed()
{
    QStringList launched;
    RZOpenDefaultBrowser::setLauncherForTesting(
        [&launched](const QString &program, const QStringList &arguments) {
            launched.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        });
    m_window = std::make_unique<MainWindow>();
    QPushButton *help = panelButton(*m_window, QStringLiteral("&Start Here!"));
    QVERIFY(help);
    QTest::mouseClick(help, Qt::LeftButton);
    QCOMPARE(help->text(), QStringLiteral("&Help"));
    QCOMPARE(launched.size(), 1);
    QVERIFY2(launched.first().contains(QLatin1String("HELP.chm")), qPrintable(launched.first()));
    QVERIFY(NativeSettings::contains(Preferences::Keys::DisplayedAbout));

    m_window.reset(); // the next start remembers it
    m_window = std::make_unique<MainWindow>();
    QVERIFY(panelButton(*m_window, QStringLiteral("&Help")));
    QVERIFY(!panelButton(*m_window, QStringLiteral("&Start Here!")));
}

void TestControlPanel::closeButton_data()
{
    QTest::addColumn<bool>("warn");
    QTest::addColumn<QString>("answer"); // button pressed in the warning
    QTest::addColumn<bool>("tickNoMore");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("warnNextTime");
    QTest::newRow("warning, cancel") << true << "&Cancel" << false << false << true;
    QTest::newRow("warning, yes") << true << "&Yes" << false << true << true;
    QTest::newRow("warning, yes, no more") << true << "&Yes" << true << true << false;
    QTest::newRow("no warning") << false << "" << false << true << false;
}

void TestControlPanel::closeButton()
{
    QFETCH(bool, warn);
    QFETCH(QString, answer);
    QFETCH(bool, tickNoMore);
    QFETCH(bool, hidden);
    QFETCH(bool, warnNextTime);
    const QString key = Preferences::userKey(Preferences::Names::CloseWarning);
    m_window = std::make_unique<MainWindow>();
    NativeSettings::setValue(key, warn);
    m_window->showControlPanel();
    m_window->createStickyDefault(); // written at once
    m_window->waitForPendingSaves();
    QCOMPARE(storedNotes(*m_window), 2);
    stickyList.last()->textBrowser()->setPlainText(QStringLiteral("edited since the save"));

    QString askedTitle;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box)
            return;
        askedTitle = box->windowTitle();
        if (tickNoMore)
            box->findChild<QCheckBox *>()->setChecked(true);
        if (QPushButton *button = DialogDriving::button(box, answer))
            button->click();
        else
            box->done(DialogDriving::kStillOpen);
    });
    QTest::mouseClick(panelButton(*m_window, QStringLiteral("&Close")), Qt::LeftButton);

    QCOMPARE(askedTitle, warn ? QStringLiteral("Warning: Control Panel Closing") : QString());
    QCOMPARE(m_window->isHidden(), hidden);
    QCOMPARE(storedWith(*m_window, QStringLiteral("edited since")),
             hidden ? 1 : 0); // saved only when hidden
    QCOMPARE(NativeSettings::boolValue(key), warnNextTime);
}

void TestControlPanel::showingRestoresAMinimisedPanel()
{
    m_window = std::make_unique<MainWindow>();
    m_window->showMinimized();
    QVERIFY(m_window->isMinimized());
    m_window->showControlPanel();
    QVERIFY(m_window->isVisible());
    QVERIFY(!m_window->isMinimized());
    QVERIFY(!m_window->isMaximized());
}

void TestControlPanel::printChoice_data()
{
    QTest::addColumn<bool>("allNotes");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("visible only") << false
                                  << QStringList({"Sticky: \"Welcome to Notarella! To ge...\"",
                                                  "Sticky: \"Third note\""});
    QTest::newRow("all") << true
                         << QStringList({"Sticky: \"Welcome to Notarella! To ge...\"",
                                         "Sticky: \"Second note\"", "Sticky: \"Third note\""});
}

void TestControlPanel::printChoice()
{
    QFETCH(bool, allNotes);
    QFETCH(QStringList, headings);
    const QDateTime created(QDate(2006, 3, 6), QTime(14, 5));
    std::vector<std::unique_ptr<StickyWidget>> notes;
    QList<StickyWidget *> list;
    for (const char *text : {"Welcome to Notarella! To get started", "Second note", "Third note"}) {
        notes.push_back(std::unique_ptr<StickyWidget>(
            newTestNote(int(notes.size()) + 1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"),
                        created, QDateTime(), QDateTime(), QString(), false,
                        QStringLiteral("<p>%1</p>").arg(QString::fromLatin1(text)))));
        notes.back()->show();
        list.append(notes.back().get());
    }
    notes.at(1)->hide();

    QTextDocument document;
    NotePrinting::appendNotes(document, MainWindow::printedNotes(list, allNotes));
    QStringList found;
    const QStringList lines = document.toPlainText().split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("Sticky: ")))
            found.append(line);
    }
    QCOMPARE(found, headings);
    QCOMPARE(document.toPlainText().count(QLatin1String("Created: Monday, 06 March 2006, 2:05 PM")),
             headings.size());
    QCOMPARE(document.toPlainText().contains(QLatin1String("\nSecond note")), allNotes);
    QVERIFY(document.toPlainText().contains(QLatin1String("\nThird note")));
}

void TestControlPanel::printingToPdfWithoutPrinter()
{
    startWithNotes(0);
    const QString pdf = m_folder->filePath(QStringLiteral("all.pdf"));

    // Cancelling the choice asks for no printer.
    StandardDialogs::queueItem(std::nullopt);
    QTest::mouseClick(panelButton(*m_window, QStringLiteral("&Print")), Qt::LeftButton);
    auto asked = StandardDialogs::takeHistory();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().caption, QStringLiteral("Print Stickies"));
    QCOMPARE(asked.first().label, QStringLiteral("Print:"));
    QCOMPARE(asked.first().items, QStringList({"Only the Visible Stickies", "All Stickies"}));
    QCOMPARE(asked.first().initialText, QStringLiteral("Only the Visible Stickies"));

    // Cancelling the print dialog prints nothing.
    StandardDialogs::queueItem(QStringLiteral("All Stickies"));
    StandardDialogs::queuePrintToFile(std::nullopt);
    QTest::mouseClick(panelButton(*m_window, QStringLiteral("&Print")), Qt::LeftButton);
    QCOMPARE(StandardDialogs::takeHistory().size(), 2);
    QVERIFY(!QFile::exists(pdf));

    StandardDialogs::queueItem(QStringLiteral("All Stickies"));
    StandardDialogs::queuePrintToFile(pdf);
    QTest::mouseClick(panelButton(*m_window, QStringLiteral("&Print")), Qt::LeftButton);
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed; the PDF's text is not checked");
    QProcess reader;
    reader.start(pdftotext, {pdf, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished());
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    QVERIFY2(text.contains(QLatin1String("Welcome to Notarella")), qPrintable(text));
    QVERIFY2(text.contains(QLatin1String("Created:")), qPrintable(text));
}

void TestControlPanel::failingPrinterIsReported()
{
    startWithNotes(1);
    const QString pdf = m_folder->filePath(QStringLiteral("no/such/folder/all.pdf"));
    StandardDialogs::queueItem(QStringLiteral("All Stickies"));
    StandardDialogs::queuePrintToFile(pdf);
    UserPrompt::queueAnswer(QMessageBox::Ok);
    QTest::mouseClick(panelButton(*m_window, QStringLiteral("&Print")), Qt::LeftButton);
    QVERIFY(!QFile::exists(pdf));
    const QList<UserPrompt::Record> prompts = UserPrompt::takeHistory();
    QCOMPARE(prompts.size(), 1);
    QCOMPARE(prompts.at(0).title, QStringLiteral("Printing Failed"));
    QCOMPARE(prompts.at(0).text, QStringLiteral("<p>The stickies could not be printed.</p>"));
}

void TestControlPanel::withoutTrayThePanelShows()
{
    TrayIcon::setTrayAvailableForTesting(false);
    startWithNotes(1);
    QVERIFY(m_window->isVisible());
    QList<UserPrompt::Record> shown;
    QTRY_VERIFY((shown += UserPrompt::takeHistory(), !shown.isEmpty()));
    QCOMPARE(shown.size(), 1);
    auto *notice = m_window->findChild<QMessageBox *>();
    QVERIFY(notice);
    QCOMPARE(notice->windowTitle(), QStringLiteral("Notarella - No System Tray"));
    QVERIFY(!notice->isModal()); // the notes stay usable

    // A note hidden from its own window can be shown again from the list.
    stickyList.at(1)->hide();
    m_window->changeLanguage();
    QCOMPARE(listedVisibility(*m_window), QList<bool>({true, false}));
    auto *list = qobject_cast<TableWidget *>(m_window->findChild<QScrollArea *>()->widget());
    qobject_cast<QCheckBox *>(list->cell(1, TableWidget::VisibleColumn))->click();
    QVERIFY(stickyList.at(1)->isVisible());

    // Said once per start only.
    m_window->changeLanguage();
    QTest::qWait(50);
    QVERIFY(UserPrompt::takeHistory().isEmpty());
}

void TestControlPanel::quittingTakesTheIconAway()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(m_window->trayIcon());
    MainWindowTestAccess::aboutToQuit(*m_window);
    QVERIFY(m_window->trayIcon() == nullptr);
    QVERIFY(m_window->findChildren<TrayIcon *>().isEmpty());
}

QTEST_MAIN(TestControlPanel)
#include "tst_controlpanel.moc"
