// First-run set-up and version migration of the settings store, run the way
// the program runs them: by constructing the main window.

#include "app/mainwindow.h"
#include "app/settingsbootstrap.h"
#include "base/apppaths.h"
#include "platform/autostartentry.h"
#include "platform/nativesettings.h"
#include "sandboxstate.h"
#include "settings/preferences.h"
#include "ui/userprompt.h"
#include "widgets/autorunmanager.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Preferences;

namespace {

const QString kUpdateTitle = QStringLiteral("Updating Notarella");
const QString kUpdateText = QStringLiteral(
    "<p>A new version of Notarella has been installed.</p><p>Some of your software settings will "
    "be changed.  Please visit the Options Window to modify them.</p>");

// Starts the program's main window once, answering any message box with OK,
// and returns the boxes it asked for.
QList<UserPrompt::Record> startOnce(bool *startupFailed)
{
    UserPrompt::takeHistory();
    UserPrompt::queueAnswer(QMessageBox::Ok);
    {
        MainWindow window;
        *startupFailed = window.startupFailed();
    }
    QList<UserPrompt::Record> shown = UserPrompt::takeHistory();
    if (shown.isEmpty()) {
        // The queued answer was not needed: use it up so it cannot hide a
        // box of a later case.
        UserPrompt::warning(nullptr, QString(), QString(), QMessageBox::Ok, QMessageBox::Ok);
        UserPrompt::takeHistory();
    }
    return shown;
}

// The keys in the store, folded to one case (the store matches them so).
QSet<QString> foldedKeys()
{
    QSet<QString> keys;
    for (const QString &key : NativeSettings::allKeys())
        keys.insert(key.toLower());
    return keys;
}

} // namespace

class TestSettingsBootstrap : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstRunWritesFactoryDefaults();
    void firstRunWritesNothingElse();
    void firstRunSwitchesLoginStartOnSilently();
    void storedVersionIsMigrated_data();
    void storedVersionIsMigrated();
    void deletedVersionKeyResetsToFactoryDefaults();
    void malformedVersionMigratesOnce_data();
    void malformedVersionMigratesOnce();
    void unwritableStoreIsReportedNotUpdated();

private:
    std::unique_ptr<QTemporaryDir> m_appFolder;
};

void TestSettingsBootstrap::init()
{
    SandboxState::reset();
    m_appFolder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_appFolder->isValid());
    AppPaths::setApplicationDirectoryForTesting(m_appFolder->path());
}

void TestSettingsBootstrap::cleanup()
{
    AppPaths::setApplicationDirectoryForTesting(QString());
    m_appFolder.reset();
}

void TestSettingsBootstrap::firstRunWritesFactoryDefaults()
{
    // Every preference with its literal factory value; the sound file lies in
    // the application folder.
    const QVariant soundFile = m_appFolder->path() + QStringLiteral("/audio/notice.wav");
    const QList<std::tuple<QString, int, QVariant>> expectedTable = {
        {"CloseWarning", QMetaType::Bool, true},
        {"UseTaskBarByDefault", QMetaType::Bool, false},
        {"DateFormat", QMetaType::QString, QStringLiteral("d MMM yyyy h:mm AP")},
        {"ReminderNoticePlaySound", QMetaType::Bool, true},
        {"ReminderNoticeSoundFile", QMetaType::QString, soundFile},
        {"SyncFolder", QMetaType::QString, QString()}, // sync off
        {"WindowPlacesExplained", QMetaType::Bool, false},
        {"GlobalShortcut", QMetaType::QString, QStringLiteral("Ctrl+Alt+N")},
        {"DefaultColor", QMetaType::QString, QStringLiteral("Yellow")},
        {"DefaultRGB", QMetaType::QString, QStringLiteral("#FFFF00")},
        {"OneColor", QMetaType::QString, QStringLiteral("Light Blue")},
        {"OneRGB", QMetaType::QString, QStringLiteral("#ADD8E6")},
        {"TwoColor", QMetaType::QString, QStringLiteral("Light Green")},
        {"TwoRGB", QMetaType::QString, QStringLiteral("#90EE90")},
        {"ThreeColor", QMetaType::QString, QStringLiteral("Light Orange")},
        {"ThreeRGB", QMetaType::QString, QStringLiteral("#FFA500")},
        {"FourColor", QMetaType::QString, QStringLiteral("Pink")},
        {"FourRGB", QMetaType::QString, QStringLiteral("#FFC0CB")},
        {"FiveColor", QMetaType::QString, QStringLiteral("Yellow")},
        {"FiveRGB", QMetaType::QString, QStringLiteral("#FFFF00")},
        {"HideWarning", QMetaType::Bool, true},
        {"DeleteWarning", QMetaType::Bool, true},
        {"DefaultWidth", QMetaType::Int, 210},
        {"DefaultHeight", QMetaType::Int, 150},
    };

    bool failed = true;
    startOnce(&failed);
    QVERIFY(!failed);

    // The program's table holds the same names in the same order.
    const QList<Preference> table = allPreferences();
    QCOMPARE(table.size(), expectedTable.size());
    for (qsizetype i = 0; i < table.size(); ++i) {
        const auto &[name, type, expected] = expectedTable.at(i);
        const QByteArray where = name.toLatin1();
        QVERIFY2(table.at(i).name == name, where.constData());
        QVERIFY2(int(table.at(i).type) == type, where.constData());
        QVERIFY2(table.at(i).factoryDefault == expected, where.constData());
        QVERIFY2(preference(name.toLower()).name == name, where.constData());

        for (const QString &key : {defaultKey(name), userKey(name)}) {
            const QByteArray keyText = key.toLatin1();
            QVERIFY2(NativeSettings::contains(key), keyText.constData());
            switch (type) {
            case QMetaType::Bool:
                QVERIFY2(NativeSettings::boolValue(key) == expected.toBool(), keyText.constData());
                break;
            case QMetaType::Int:
                QVERIFY2(NativeSettings::intValue(key) == expected.toInt(), keyText.constData());
                break;
            default:
                QVERIFY2(NativeSettings::stringValue(key) == expected.toString(),
                         qPrintable(key + QLatin1String(": ") + NativeSettings::stringValue(key)));
            }
        }
    }
    // The forms the program reads the reminder-notice values through.
    QCOMPARE(
        NativeSettings::boolValue(QStringLiteral("UserDefinedVariables/reminderNoticePlaySound")),
        true);
    QCOMPARE(
        NativeSettings::stringValue(QStringLiteral("UserDefinedVariables/reminderNoticeSoundFile")),
        soundFile.toString());
}

void TestSettingsBootstrap::firstRunWritesNothingElse()
{
    NativeSettings::setValue(QStringLiteral("Leftover/Key"), 1);
    NativeSettings::setValue(Keys::DisplayedAbout, true);
    bool failed = true;
    startOnce(&failed);
    QVERIFY(!failed);

    QSet<QString> expected = {Keys::SoftwareVersion.toLower(), Keys::Product.toLower(),
                              Keys::SoftwareName.toLower()};
    for (const Preference &entry : allPreferences()) {
        expected.insert(defaultKey(entry.name).toLower());
        expected.insert(userKey(entry.name).toLower());
    }
    QCOMPARE(expected.size(), 51);
    QCOMPARE(foldedKeys(), expected);
    QCOMPARE(NativeSettings::allKeys().size(), 51); // no key stored twice in two spellings
    QCOMPARE(NativeSettings::intValue(Keys::SoftwareVersion), 10700);
    QCOMPARE(NativeSettings::stringValue(Keys::SoftwareName), QStringLiteral("NOTARELLA"));
    QVERIFY(!NativeSettings::stringValue(Keys::Product).isEmpty());
}

void TestSettingsBootstrap::firstRunSwitchesLoginStartOnSilently()
{
    QVERIFY(!AutoRunManager().isAutoRunEnabled());
    bool failed = true;
    const QList<UserPrompt::Record> shown = startOnce(&failed);
    QVERIFY(!failed);
    QVERIFY(shown.isEmpty());
    QVERIFY(AutoRunManager().isAutoRunEnabled());
    QCOMPARE(AutostartEntry::executable(), AppPaths::executablePath());

    // The second start finds version 10700 and shows nothing either.
    QVERIFY(startOnce(&failed).isEmpty());
}

void TestSettingsBootstrap::storedVersionIsMigrated_data()
{
    QTest::addColumn<int>("storedVersion");
    QTest::addColumn<bool>("flagKeysRemoved");
    QTest::addColumn<bool>("migrated");

    QTest::newRow("10500") << 10500 << true << true;
    QTest::newRow("10599") << 10599 << true << true;
    QTest::newRow("10600") << 10600 << false << true;
    QTest::newRow("10650") << 10650 << false << true;
    QTest::newRow("10800") << 10800 << false << true;
    QTest::newRow("10700") << 10700 << false << false;
}

void TestSettingsBootstrap::storedVersionIsMigrated()
{
    QFETCH(int, storedVersion);
    QFETCH(bool, flagKeysRemoved);
    QFETCH(bool, migrated);

    // A store as an earlier version left it, with log-in start switched off.
    QVERIFY(SettingsBootstrap::runFirstRunIfNeeded());
    AutoRunManager().enableAutoRun(false);
    NativeSettings::setValue(Keys::SoftwareVersion, storedVersion);
    NativeSettings::setValue(Keys::Product, QStringLiteral("Notarella old"));
    NativeSettings::setValue(Keys::SoftwareName, QStringLiteral("OLDNAME"));
    NativeSettings::setValue(Keys::DefaultUseFlagQtWindow, true);
    NativeSettings::setValue(Keys::UserUseFlagQtWindow, true);
    NativeSettings::setValue(userKey(Names::DateFormat), QStringLiteral("yyyy-MM-dd"));
    NativeSettings::setValue(userKey(Names::DefaultWidth), 333);

    bool failed = true;
    const QList<UserPrompt::Record> shown = startOnce(&failed);
    QVERIFY(!failed);

    QCOMPARE(NativeSettings::intValue(Keys::SoftwareVersion), 10700);
    QCOMPARE(NativeSettings::contains(Keys::DefaultUseFlagQtWindow), !flagKeysRemoved);
    QCOMPARE(NativeSettings::contains(Keys::UserUseFlagQtWindow), !flagKeysRemoved);
    QCOMPARE(AutoRunManager().isAutoRunEnabled(), migrated);
    QCOMPARE(NativeSettings::stringValue(Keys::Product) == QStringLiteral("Notarella old"),
             !migrated);
    // The user's choices and the software name are never touched.
    QCOMPARE(NativeSettings::stringValue(Keys::SoftwareName), QStringLiteral("OLDNAME"));
    QCOMPARE(userString(Names::DateFormat), QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(userInt(Names::DefaultWidth), 333);

    if (migrated) {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, kUpdateTitle);
        QCOMPARE(shown.first().text, kUpdateText);
    } else {
        QVERIFY(shown.isEmpty());
    }

    // The next start finds the current version: nothing more happens.
    AutoRunManager().enableAutoRun(false);
    QVERIFY(startOnce(&failed).isEmpty());
    QVERIFY(!AutoRunManager().isAutoRunEnabled());
}

void TestSettingsBootstrap::deletedVersionKeyResetsToFactoryDefaults()
{
    bool failed = true;
    startOnce(&failed);
    QVERIFY(!failed);
    NativeSettings::setValue(userKey(Names::DateFormat), QStringLiteral("yyyy"));
    NativeSettings::setValue(userKey(Names::CloseWarning), false);
    NativeSettings::setValue(Keys::DisplayedAbout, true);
    AutoRunManager().enableAutoRun(false);
    NativeSettings::remove(QStringLiteral("program/softwareversion"));
    QVERIFY(!NativeSettings::contains(Keys::SoftwareVersion));

    QVERIFY(startOnce(&failed).isEmpty());
    QCOMPARE(userString(Names::DateFormat), QStringLiteral("d MMM yyyy h:mm AP"));
    QCOMPARE(userBool(Names::CloseWarning), true);
    QVERIFY(!NativeSettings::contains(Keys::DisplayedAbout));
    QCOMPARE(NativeSettings::intValue(Keys::SoftwareVersion), 10700);
    QVERIFY(AutoRunManager().isAutoRunEnabled());
}

void TestSettingsBootstrap::malformedVersionMigratesOnce_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("word") << QVariant(QStringLiteral("abc"));
    QTest::newRow("number with text") << QVariant(QStringLiteral("10700abc"));
    QTest::newRow("empty") << QVariant(QString());
    QTest::newRow("beyond int") << QVariant(QStringLiteral("99999999999"));
    QTest::newRow("list") << QVariant(QStringList{QStringLiteral("10700"), QStringLiteral("1")});
}

void TestSettingsBootstrap::malformedVersionMigratesOnce()
{
    QFETCH(QVariant, stored);
    QVERIFY(SettingsBootstrap::runFirstRunIfNeeded());
    NativeSettings::setValue(Keys::SoftwareVersion, stored);

    bool failed = true;
    QList<UserPrompt::Record> shown = startOnce(&failed);
    QVERIFY(!failed);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, kUpdateTitle);
    QCOMPARE(NativeSettings::intValue(Keys::SoftwareVersion), 10700);
    QVERIFY(startOnce(&failed).isEmpty());
}

void TestSettingsBootstrap::unwritableStoreIsReportedNotUpdated()
{
    // An older version is found (in the organisation-wide file, which the
    // store reads as a fallback) but the program's own file cannot be
    // created: its folder's name is taken by a plain file. Root can write
    // anywhere, so permissions would not do.
    const QString configHome = QFileInfo(NativeSettings::fileName()).absolutePath();
    const QString organisationFile = configHome + QStringLiteral(".conf");
    {
        QFile fallback(organisationFile);
        QVERIFY(fallback.open(QIODevice::WriteOnly));
        fallback.write("[Program]\nSoftwareVersion=10500\n");
    }
    QVERIFY(QDir(configHome).removeRecursively());
    QFile blocker(configHome);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QCOMPARE(NativeSettings::intValue(Keys::SoftwareVersion), 10500);
    QVERIFY(!NativeSettings::setValue(Keys::SoftwareVersion, 10700));

    for (int start = 0; start < 2; ++start) {
        bool failed = true;
        const QList<UserPrompt::Record> shown = startOnce(&failed);
        QVERIFY(!failed);
        // One notice that the settings cannot be kept, never the update box.
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().title, QStringLiteral("Notarella Settings"));
        QVERIFY(shown.first().text.contains(NativeSettings::fileName().toHtmlEscaped()));
    }
    QVERIFY(QFile::remove(configHome));
    QVERIFY(QFile::remove(organisationFile));
}

QTEST_MAIN(TestSettingsBootstrap)
#include "tst_settingsbootstrap.moc"
