#include "base/apppaths.h"
#include "notes/stickywidget.h"
#include "platform/autostartentry.h"
#include "platform/nativesettings.h"
#include "richtext/rzopendefaultbrowser.h"
#include "settings/preferences.h"
#include "testnotes.h"
#include "ui/remindersound.h"
#include "ui/standarddialogs.h"
#include "ui/userprompt.h"
#include "widgets/autorunmanager.h"
#include "widgets/optionswindow.h"
#include "widgets/rzcolorselector.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Preferences;

namespace {

QMap<QString, QVariant> settingsSnapshot()
{
    QMap<QString, QVariant> snapshot;
    for (const QString &key : NativeSettings::allKeys())
        snapshot.insert(key, NativeSettings::value(key));
    return snapshot;
}

template <typename T> T *control(const OptionsWindow &window, const QString &text)
{
    for (T *candidate : window.findChildren<T *>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

QGroupBox *group(const OptionsWindow &window, const QString &title)
{
    for (QGroupBox *candidate : window.findChildren<QGroupBox *>()) {
        if (candidate->title() == title)
            return candidate;
    }
    return nullptr;
}

QLineEdit *soundEdit(const OptionsWindow &w)
{
    return group(w, "Play sound file for reminders:")->findChild<QLineEdit *>();
}

QList<QLineEdit *> sizeEdits(const OptionsWindow &w)
{
    return group(w, "Default Sticky Size:")->findChildren<QLineEdit *>();
}

QList<QLineEdit *> dateEdits(const OptionsWindow &w)
{
    return group(w, "Date Formatting:")->findChildren<QLineEdit *>();
}

QStringList selectorTexts(const OptionsWindow &w)
{
    QStringList texts;
    for (const RZColorSelector *selector : w.findChildren<RZColorSelector *>())
        texts << selector->currentText();
    return texts;
}

void setUser(const QString &name, const QVariant &value)
{
    NativeSettings::setValue(userKey(name), value);
}

bool sameValues(const OptionsValues &a, const OptionsValues &b)
{
    for (int i = 0; i < OptionsValues::kColourCount; ++i) {
        if (a.colours[i].name != b.colours[i].name || a.colours[i].rgb != b.colours[i].rgb)
            return false;
    }
    return a.hideWarning == b.hideWarning && a.deleteWarning == b.deleteWarning &&
           a.closeWarning == b.closeWarning && a.playSound == b.playSound &&
           a.soundFile == b.soundFile && a.widthText.toInt() == b.widthText.toInt() &&
           a.heightText.toInt() == b.heightText.toInt() && a.dateFormat == b.dateFormat &&
           a.useTaskBar == b.useTaskBar && a.autoRun == b.autoRun && a.syncFolder == b.syncFolder &&
           a.globalShortcut == b.globalShortcut;
}

} // namespace

class TestOptionsWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void showsStoredValues();
    void saveRoundTrip();
    void sizeLimits_data();
    void sizeLimits();
    void sizeFieldsTakeThreeDigits();
    void restore_data();
    void restore();
    void previewFollowsTyping();
    void soundChooser_data();
    void soundChooser();
    void soundPreviewNeverBlocks_data();
    void soundPreviewNeverBlocks();
    void chosenSoundPlaysAtNextReminder();
    void helpOpensFormattingPage();
    void failedLogInEntryIsReported();
    void syncControls_data();
    void syncControls();
    void shortcutSetting_data();
    void shortcutSetting();

private:
    QStringList m_played;
};

void TestOptionsWindow::initTestCase()
{
    StandardDialogs::setAnswerOnlyFromQueue(true);
}

void TestOptionsWindow::init()
{
    NativeSettings::remove(QString());
    for (const Preference &entry : allPreferences()) {
        NativeSettings::setValue(defaultKey(entry.name), entry.factoryDefault);
        NativeSettings::setValue(userKey(entry.name), entry.factoryDefault);
    }
    AutoRunManager().enableAutoRun(false);
    m_played.clear();
    ReminderSound::setPlayerForTesting([this](const QString &file) {
        m_played << file;
        return true;
    });
}

void TestOptionsWindow::cleanup()
{
    ReminderSound::setPlayerForTesting({});
    StandardDialogs::clearAnswers();
    StandardDialogs::takeHistory();
    UserPrompt::takeHistory();
}

void TestOptionsWindow::showsStoredValues()
{
    setUser(Names::OneColor, "Peach Puff");
    setUser(Names::OneRGB, "#FFDAB9");
    setUser(Names::ThreeColor, "My Own"); // not in the palette
    setUser(Names::ThreeRGB, "#123456");
    setUser(Names::HideWarning, false);
    setUser(Names::CloseWarning, false);
    setUser(Names::ReminderNoticePlaySound, false);
    // The stored spelling differs in case from the one the program writes.
    NativeSettings::remove(userKey(Names::ReminderNoticeSoundFile));
    NativeSettings::setValue("UserDefinedVariables/reminderNoticeSoundFile", "/sounds/bell.wav");
    setUser(Names::DefaultWidth, 320);
    setUser(Names::DefaultHeight, 90);
    setUser(Names::DateFormat, "yyyy-MM-dd");
    setUser(Names::UseTaskBarByDefault, true);
    AutoRunManager().enableAutoRun(true);

    const OptionsWindow window;
    QCOMPARE(window.windowTitle(), "Notarella - Options");
    QCOMPARE(selectorTexts(window),
             QStringList({"Yellow", "Peach Puff", "Light Green", "My Own", "Pink", "Yellow"}));
    QCOMPARE(control<QCheckBox>(window, "Display a warning when hiding stickies.")->isChecked(),
             false);
    QCOMPARE(control<QCheckBox>(window, "Display a warning when deleting stickies.")->isChecked(),
             true);
    QCOMPARE(control<QCheckBox>(window, "Display a warning when closing the Control Panel.")
                 ->isChecked(),
             false);
    QVERIFY(!group(window, "Play sound file for reminders:")->isChecked());
    QCOMPARE(soundEdit(window)->text(), "/sounds/bell.wav");
    QCOMPARE(sizeEdits(window).at(0)->text(), "320");
    QCOMPARE(sizeEdits(window).at(1)->text(), "90");
    QCOMPARE(sizeEdits(window).at(0)->toolTip(), "Pixels: 50 to 500");
    QCOMPARE(dateEdits(window).at(0)->text(), "yyyy-MM-dd");
    QCOMPARE(dateEdits(window).at(1)->text(), QDate::currentDate().toString("yyyy-MM-dd"));
    QVERIFY(dateEdits(window).at(1)->isReadOnly());
    QVERIFY(control<QCheckBox>(window, "Create new Stickies with task bar entries.")->isChecked());
    QVERIFY(
        control<QCheckBox>(window, "Automatically start Notarella on User Login.")->isChecked());
    QCOMPARE(window.tabWidget()->tabText(0), "General Options");
    QCOMPARE(window.tabWidget()->tabText(1), "Other Options");
}

void TestOptionsWindow::saveRoundTrip()
{
    NativeSettings::remove(userKey(Names::ReminderNoticePlaySound));
    NativeSettings::setValue("UserDefinedVariables/reminderNoticePlaySound", true);
    setUser(Names::FourColor, "My Own");
    setUser(Names::FourRGB, "#123456");
    OptionsValues changed;
    {
        OptionsWindow window;
        window.show();
        auto *one = window.findChildren<RZColorSelector *>().at(1);
        one->setCurrentColorIndex(one->findText("Peach Puff"));
        QTest::mouseClick(control<QCheckBox>(window, "Display a warning when deleting stickies."),
                          Qt::LeftButton);
        group(window, "Play sound file for reminders:")->setChecked(false);
        sizeEdits(window).at(0)->clear();
        QTest::keyClicks(sizeEdits(window).at(0), "480");
        dateEdits(window).at(0)->setText("dd.MM.yyyy");
        QTest::mouseClick(
            control<QCheckBox>(window, "Automatically start Notarella on User Login."),
            Qt::LeftButton);
        changed = window.values();
        QTest::mouseClick(control<QPushButton>(window, "&Save"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
    QCOMPARE(NativeSettings::stringValue(userKey(Names::OneColor)), "Peach Puff");
    QCOMPARE(NativeSettings::stringValue(userKey(Names::OneRGB)),
             "#FFADB9"); // the palette's Peach Puff
    QCOMPARE(NativeSettings::stringValue(userKey(Names::FourRGB)), "#123456");
    QCOMPARE(NativeSettings::stringValue(userKey(Names::FourColor)), "My Own");
    QCOMPARE(NativeSettings::boolValue(userKey(Names::DeleteWarning)), false);
    QCOMPARE(NativeSettings::value(userKey(Names::DefaultWidth)).toInt(), 480);
    QCOMPARE(NativeSettings::stringValue(userKey(Names::DateFormat)), "dd.MM.yyyy");
    QVERIFY(AutoRunManager().isAutoRunEnabled());
    // One entry for the sound switch, whatever the spelling it was stored under.
    const QStringList soundKeys = NativeSettings::allKeys().filter(
        "userdefinedvariables/remindernoticeplaysound", Qt::CaseInsensitive);
    QCOMPARE(soundKeys.size(), 1);
    QCOMPARE(NativeSettings::boolValue(soundKeys.first()), false);

    const OptionsWindow reopened;
    QVERIFY(sameValues(reopened.values(), changed));
}

void TestOptionsWindow::sizeLimits_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("50 and 500") << "50"
                                << "500" << true;
    QTest::newRow("500 and 50") << "500"
                                << "50" << true;
    QTest::newRow("width 49") << "49"
                              << "150" << false;
    QTest::newRow("height 49") << "210"
                               << "49" << false;
    QTest::newRow("width 501") << "501"
                               << "150" << false;
    QTest::newRow("height 501") << "210"
                                << "501" << false;
    QTest::newRow("width empty") << ""
                                 << "150" << false;
    QTest::newRow("height empty") << "210"
                                  << "" << false;
}

void TestOptionsWindow::sizeLimits()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, accepted);
    const auto before = settingsSnapshot();
    OptionsWindow window;
    window.show();
    // Another change that must not be written when the sizes are refused.
    QTest::mouseClick(control<QCheckBox>(window, "Display a warning when hiding stickies."),
                      Qt::LeftButton);
    sizeEdits(window).at(0)->setText(width);
    sizeEdits(window).at(1)->setText(height);
    if (!accepted)
        UserPrompt::queueAnswer(QMessageBox::Ok);
    QTest::mouseClick(control<QPushButton>(window, "&Save"), Qt::LeftButton);

    const QList<UserPrompt::Record> boxes = UserPrompt::takeHistory();
    if (accepted) {
        QVERIFY(boxes.isEmpty());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(NativeSettings::intValue(userKey(Names::DefaultWidth)), width.toInt());
        QCOMPARE(NativeSettings::intValue(userKey(Names::DefaultHeight)), height.toInt());
        QCOMPARE(NativeSettings::boolValue(userKey(Names::HideWarning)), false);
        return;
    }
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, "Warning - Invalid Sticky Size");
    QVERIFY(boxes.first().text.contains("between 50 and 500 pixels"));
    QVERIFY(window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(window.tabWidget()->currentIndex(), 1);
    QCOMPARE(sizeEdits(window).at(0)->text(), width);
    QCOMPARE(settingsSnapshot(), before);
}

void TestOptionsWindow::sizeFieldsTakeThreeDigits()
{
    OptionsWindow window;
    QLineEdit *width = sizeEdits(window).at(0);
    width->clear();
    QTest::keyClicks(width, "1x2-345");
    QCOMPARE(width->text(), "123");
}

void TestOptionsWindow::restore_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("finish");
    QTest::newRow("restore, then cancel") << QMessageBox::Yes << "&Cancel";
    QTest::newRow("restore, then save") << QMessageBox::Yes << "&Save";
    QTest::newRow("restore refused, then save") << QMessageBox::Cancel << "&Save";
}

void TestOptionsWindow::restore()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, finish);
    setUser(Names::DefaultColor, "Peach Puff");
    setUser(Names::DefaultRGB, "#FFDAB9");
    setUser(Names::TwoColor, "My Own");
    setUser(Names::TwoRGB, "#123456");
    setUser(Names::DeleteWarning, false);
    setUser(Names::ReminderNoticeSoundFile, "/elsewhere/bell.wav");
    setUser(Names::DefaultWidth, 300);
    setUser(Names::DateFormat, "yyyy");
    setUser(Names::UseTaskBarByDefault, true);
    setUser(Names::SyncFolder, "/mnt/shared notes");
    const auto before = settingsSnapshot();

    OptionsWindow window;
    window.show();
    const OptionsValues shownAtFirst = window.values();
    UserPrompt::queueAnswer(answer);
    QTest::mouseClick(control<QPushButton>(window, "&Restore Original Settings"), Qt::LeftButton);
    const QList<UserPrompt::Record> boxes = UserPrompt::takeHistory();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, "Restoring Notarella Defaults");
    QVERIFY(boxes.first().text.endsWith("<p>Restore original settings now?</p>"));

    const bool restored = answer == QMessageBox::Yes;
    if (restored) {
        QCOMPARE(selectorTexts(window), QStringList({"Yellow", "Light Blue", "Light Green",
                                                     "Light Orange", "Pink", "Yellow"}));
        QCOMPARE(window.findChild<QLineEdit *>("syncFolderEdit")->text(), "");
        QCOMPARE(window.findChild<QLabel *>("syncStateLabel")->text(), "Sync is off.");
        QVERIFY(sameValues(window.values(), OptionsValues::factoryDefaults()));
    } else {
        QVERIFY(sameValues(window.values(), shownAtFirst));
        QCOMPARE(window.findChild<QLineEdit *>("syncFolderEdit")->text(), "/mnt/shared notes");
    }
    // Nothing is stored before the user decides.
    QCOMPARE(settingsSnapshot(), before);

    QTest::mouseClick(control<QPushButton>(window, finish), Qt::LeftButton);
    if (finish == "&Cancel") {
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(settingsSnapshot(), before);
        QVERIFY(!AutoRunManager().isAutoRunEnabled());
        return;
    }
    QCOMPARE(window.result(), int(QDialog::Accepted));
    if (restored) {
        for (const Preference &entry : allPreferences())
            QCOMPARE(NativeSettings::value(userKey(entry.name)).toString(),
                     entry.factoryDefault.toString());
        QVERIFY(AutoRunManager().isAutoRunEnabled());
    } else {
        QVERIFY(sameValues(OptionsValues::fromUserSettings(), shownAtFirst));
    }
}

void TestOptionsWindow::previewFollowsTyping()
{
    OptionsWindow window;
    QLineEdit *format = dateEdits(window).at(0);
    QLineEdit *display = dateEdits(window).at(1);
    format->clear();
    QStringList previews;
    for (const char *key : {"y", "y", "y", "y", "-", "M", "M"}) {
        QTest::keyClicks(format, key);
        previews << display->text();
    }
    const QDate today = QDate::currentDate();
    QCOMPARE(previews.at(0), today.toString("y"));
    QCOMPARE(previews.at(3), today.toString("yyyy"));
    QCOMPARE(previews.last(), today.toString("yyyy-MM"));
}

void TestOptionsWindow::soundChooser_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("a file") << "/home/user/Sounds/ding.wav";
    QTest::newRow("a path with blanks") << "/home/user/My Sounds/ring ring.wav";
    QTest::newRow("cancelled") << "";
}

void TestOptionsWindow::soundChooser()
{
    QFETCH(QString, chosen);
    setUser(Names::ReminderNoticeSoundFile, "/usr/share/notice.wav");
    OptionsWindow window;
    StandardDialogs::queueOpenFileName(chosen);
    QTest::mouseClick(control<QPushButton>(window, "Browse..."), Qt::LeftButton);

    const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first().caption, "Choose a sound file");
    QCOMPARE(asked.first().directory, "/usr/share/notice.wav");
    QCOMPARE(asked.first().filter, "Sound Files ( *.wav )");
    if (chosen.isEmpty()) {
        QCOMPARE(soundEdit(window)->text(), "/usr/share/notice.wav");
        QVERIFY(m_played.isEmpty());
        return;
    }
    QCOMPARE(soundEdit(window)->text(), QDir::toNativeSeparators(chosen));
    QCOMPARE(m_played, QStringList({chosen}));
}

void TestOptionsWindow::soundPreviewNeverBlocks_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a WAV") << QByteArray("this is no sound at all");
    QTest::newRow("empty file") << QByteArray();
}

// The real player, on a machine without a sound server: the preview comes
// back at once and its player is gone within the safety time-out.
void TestOptionsWindow::soundPreviewNeverBlocks()
{
    QFETCH(QByteArray, content);
    ReminderSound::setPlayerForTesting({});
    ReminderSound::setPlaybackTimeoutForTesting(500);
    QTemporaryDir folder;
    const QString file = folder.filePath("broken.wav");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();

    OptionsWindow window;
    StandardDialogs::queueOpenFileName(file);
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(control<QPushButton>(window, "Browse..."), Qt::LeftButton);
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(soundEdit(window)->text(), file);
    QTRY_COMPARE_WITH_TIMEOUT(ReminderSound::activePlayerCount(), 0, 3000);
    ReminderSound::setPlaybackTimeoutForTesting(0);
}

void TestOptionsWindow::chosenSoundPlaysAtNextReminder()
{
    const QString chosen = "/home/user/Sounds/ding.wav";
    {
        OptionsWindow window;
        StandardDialogs::queueOpenFileName(chosen);
        QTest::mouseClick(control<QPushButton>(window, "Browse..."), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(window, "&Save"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
    m_played.clear();

    const QDateTime due = QDateTime::currentDateTime().addSecs(-120);
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        1, "#FFFF00", "Yellow", due.addDays(-1), due, due, QString(), false, "<p>ring</p>"));
    StickyWidget &note = *noteWindow;
    QTimer dismiss;
    connect(&dismiss, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    dismiss.start(20);
    note.reminderCheck();
    QCOMPARE(m_played, QStringList({QDir::toNativeSeparators(chosen)}));
}

void TestOptionsWindow::helpOpensFormattingPage()
{
    QStringList launched;
    RZOpenDefaultBrowser::setLauncherForTesting(
        [&launched](const QString &program, const QStringList &arguments) {
            launched << program << arguments;
        });
    OptionsWindow window;
    QTest::mouseClick(control<QPushButton>(window, "Help!"), Qt::LeftButton);
    RZOpenDefaultBrowser::setLauncherForTesting({});
    QCOMPARE(launched.size(), 2);
    QVERIFY(launched.at(0).endsWith("hh"));
    QCOMPARE(launched.at(1),
             AppPaths::applicationDirectory() +
                 "/documentation/HELP.CHM::/Options/Formatting.html#DateFormatting");
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

void TestOptionsWindow::failedLogInEntryIsReported()
{
    // A file where the autostart folder belongs: no entry can be written.
    const QString folder = QFileInfo(AutostartEntry::entryPath()).absolutePath();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    OptionsWindow window;
    QTest::mouseClick(control<QCheckBox>(window, "Automatically start Notarella on User Login."),
                      Qt::LeftButton);
    sizeEdits(window).at(0)->setText("333");
    UserPrompt::queueAnswer(QMessageBox::Ok);
    QTest::mouseClick(control<QPushButton>(window, "&Save"), Qt::LeftButton);
    QFile::remove(folder);

    const QList<UserPrompt::Record> boxes = UserPrompt::takeHistory();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first().text.contains("could not be set to start when you log in"));
    QCOMPARE(window.result(), int(QDialog::Accepted));
    QCOMPARE(NativeSettings::intValue(userKey(Names::DefaultWidth)), 333);
    QVERIFY(!AutoRunManager().isAutoRunEnabled());
}

void TestOptionsWindow::syncControls_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("button"); // "syncBrowseButton", "syncTurnOffButton" or none
    QTest::addColumn<QString>("chosen"); // the chooser's answer; "" cancels it
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("state"); // "told": the text the program gave

    const QString later = "Notes will be kept in step through this folder once you save.";
    const QString browse = "syncBrowseButton";
    QTest::newRow("off") << ""
                         << ""
                         << ""
                         << ""
                         << "Sync is off.";
    QTest::newRow("in use") << "/a"
                            << ""
                            << ""
                            << "/a"
                            << "told";
    QTest::newRow("another picked") << "/a" << browse << "/b"
                                    << "/b" << later;
    QTest::newRow("same picked, with a slash") << "/a" << browse << "/a/"
                                               << "/a"
                                               << "told";
    QTest::newRow("chooser cancelled") << "" << browse << ""
                                       << ""
                                       << "Sync is off.";
    QTest::newRow("turned off") << "/a"
                                << "syncTurnOffButton"
                                << ""
                                << ""
                                << "Sync is off.";
}

void TestOptionsWindow::syncControls()
{
    QFETCH(QString, stored);
    QFETCH(QString, button);
    QFETCH(QString, chosen);
    QFETCH(QString, field);
    QFETCH(QString, state);
    setUser(Names::SyncFolder, stored);
    const auto before = settingsSnapshot();
    OptionsWindow window;
    window.setSyncState("Up to date.");
    auto *edit = window.findChild<QLineEdit *>("syncFolderEdit");
    auto *label = window.findChild<QLabel *>("syncStateLabel");
    auto *turnOff = window.findChild<QPushButton *>("syncTurnOffButton");
    QVERIFY(edit->isReadOnly());
    QCOMPARE(edit->text(), stored);

    StandardDialogs::queueDirectory(chosen);
    if (!button.isEmpty())
        window.findChild<QPushButton *>(button)->click();
    QCOMPARE(StandardDialogs::pendingAnswers(), int(button != "syncBrowseButton"));
    QCOMPARE(edit->text(), field);
    QCOMPARE(turnOff->isEnabled(), !field.isEmpty());
    // The program's word shows only while the field holds the folder in use.
    QCOMPARE(label->text(), state == "told" ? "Up to date." : state);
    window.setSyncState("Unreachable.");
    QCOMPARE(label->text(), state == "told" ? "Unreachable." : state);
    QCOMPARE(settingsSnapshot(), before);
}

void TestOptionsWindow::shortcutSetting_data()
{
    QTest::addColumn<QString>("stored"); // "-": settings older than the key
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("tick"); // -1 untick, 0 leave, 1 tick
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("older settings get the usual key") << "-"
                                                      << "Ctrl+Alt+N" << 0 << ""
                                                      << "Ctrl+Alt+N";
    QTest::newRow("off stays off") << ""
                                   << "Ctrl+Alt+N" << 0 << ""
                                   << "";
    QTest::newRow("switched off") << "Ctrl+Shift+K"
                                  << "Ctrl+Shift+K" << -1 << ""
                                  << "";
    QTest::newRow("switched on") << ""
                                 << "Ctrl+Alt+N" << 1 << ""
                                 << "Ctrl+Alt+N";
    QTest::newRow("another key") << "Ctrl+Alt+N"
                                 << "Ctrl+Alt+N" << 0 << "Meta+F5"
                                 << "Meta+F5";
    QTest::newRow("only the first of two keys") << "Ctrl+Alt+N"
                                                << "Ctrl+Alt+N" << 0 << "Ctrl+A, Ctrl+B"
                                                << "Ctrl+A";
}

void TestOptionsWindow::shortcutSetting()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(int, tick);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    if (stored == "-")
        NativeSettings::remove(userKey(Names::GlobalShortcut));
    else
        setUser(Names::GlobalShortcut, stored);
    OptionsWindow window;
    auto *shortcutGroup = window.findChild<QGroupBox *>("shortcutGroup");
    auto *edit = window.findChild<QKeySequenceEdit *>("shortcutEdit");
    QCOMPARE(edit->keySequence().toString(QKeySequence::PortableText), shown);
    QCOMPARE(shortcutGroup->isChecked(), stored != "");
    // No X11 display here: the desktop's own settings are pointed to.
    QVERIFY(!shortcutGroup->isEnabled());
    QVERIFY(!window.findChild<QLabel *>("shortcutElsewhereLabel")->isHidden());
    if (tick != 0)
        shortcutGroup->setChecked(tick > 0);
    if (!typed.isEmpty()) {
        edit->setKeySequence(QKeySequence::fromString(typed, QKeySequence::PortableText));
        emit edit->editingFinished();
    }
    QTest::mouseClick(control<QPushButton>(window, "&Save"), Qt::LeftButton);
    QCOMPARE(NativeSettings::stringValue(userKey(Names::GlobalShortcut)), saved);
    QCOMPARE(Preferences::globalShortcut(), saved);
}

QTEST_MAIN(TestOptionsWindow)
#include "tst_optionswindow.moc"
