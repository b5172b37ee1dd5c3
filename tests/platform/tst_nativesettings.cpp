// The settings store: where it lives and its case-insensitive keys.

#include "platform/nativesettings.h"
#include "sandboxstate.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

class TestNativeSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void storeIsTheIniFileOfTheProgram();
    void missingKeysReadAsEmpty();
    void keysMatchWithoutRegardToCase_data();
    void keysMatchWithoutRegardToCase();
    void overwriteThroughAnotherSpellingKeepsOneKey();
    void removeThroughAnotherSpelling();
    void newKeyJoinsTheGroupAsSpelledInTheStore();
    void writesOfOtherProcessesAreSeenAtOnce();
    void removeWithEmptyKeyWipesEverything();
};

void TestNativeSettings::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Varnholt"));
    QCoreApplication::setApplicationName(QStringLiteral("Notarella"));
}

void TestNativeSettings::init()
{
    SandboxState::reset();
}

void TestNativeSettings::storeIsTheIniFileOfTheProgram()
{
    NativeSettings::setValue(QStringLiteral("Program/SoftwareVersion"), 10700);
    const QString expected =
        qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Varnholt/Notarella.conf");
    QCOMPARE(NativeSettings::fileName(), expected);
    QFile file(expected);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY2(content.contains("[Program]") && content.contains("SoftwareVersion=10700"),
             content.constData());
}

void TestNativeSettings::missingKeysReadAsEmpty()
{
    const QString key = QStringLiteral("UserDefinedVariables/Nothing");
    QVERIFY(!NativeSettings::contains(key));
    QCOMPARE(NativeSettings::boolValue(key), false);
    QCOMPARE(NativeSettings::intValue(key), 0);
    QCOMPARE(NativeSettings::stringValue(key), QString());
    QVERIFY(!NativeSettings::value(key).isValid());

    NativeSettings::setValue(key, QStringLiteral("not a number"));
    QCOMPARE(NativeSettings::intValue(key), 0);
}

void TestNativeSettings::keysMatchWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("writtenAs");
    QTest::addColumn<QString>("readAs");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("sound file, lower-camel name")
        << "UserDefinedVariables/ReminderNoticeSoundFile"
        << "UserDefinedVariables/reminderNoticeSoundFile" << QVariant("/opt/n/audio/notice.wav");
    QTest::newRow("sound file, all lower")
        << "UserDefinedVariables/ReminderNoticeSoundFile"
        << "userdefinedvariables/reminderNoticeSoundFile" << QVariant("/x/notice.wav");
    QTest::newRow("play sound, default group")
        << "DefaultVariables/ReminderNoticePlaySound"
        << "DefaultVariables/reminderNoticePlaySound" << QVariant(true);
    QTest::newRow("version, upper case") << "Program/SoftwareVersion"
                                         << "PROGRAM/SOFTWAREVERSION" << QVariant(10700);
    QTest::newRow("written lower, read camel")
        << "userdefinedvariables/dateformat"
        << "UserDefinedVariables/DateFormat" << QVariant("d MMM yyyy h:mm AP");
}

void TestNativeSettings::keysMatchWithoutRegardToCase()
{
    QFETCH(QString, writtenAs);
    QFETCH(QString, readAs);
    QFETCH(QVariant, value);

    NativeSettings::setValue(writtenAs, value);
    QVERIFY(NativeSettings::contains(readAs));
    QCOMPARE(NativeSettings::stringValue(readAs), value.toString());
    QCOMPARE(NativeSettings::boolValue(readAs), value.toBool());
    QCOMPARE(NativeSettings::intValue(readAs), value.toInt());
    QCOMPARE(NativeSettings::allKeys(), QStringList{writtenAs});
}

void TestNativeSettings::overwriteThroughAnotherSpellingKeepsOneKey()
{
    NativeSettings::setValue(QStringLiteral("UserDefinedVariables/ReminderNoticeSoundFile"),
                             QStringLiteral("/first.wav"));
    NativeSettings::setValue(QStringLiteral("userdefinedvariables/reminderNoticeSoundFile"),
                             QStringLiteral("/second.wav"));
    QCOMPARE(NativeSettings::allKeys(),
             QStringList{QStringLiteral("UserDefinedVariables/ReminderNoticeSoundFile")});
    QCOMPARE(
        NativeSettings::stringValue(QStringLiteral("USERDEFINEDVARIABLES/REMINDERNOTICESOUNDFILE")),
        QStringLiteral("/second.wav"));
}

void TestNativeSettings::removeThroughAnotherSpelling()
{
    NativeSettings::setValue(QStringLiteral("DefaultVariables/UseFlagQtWindow"), true);
    NativeSettings::setValue(QStringLiteral("DefaultVariables/CloseWarning"), true);
    NativeSettings::remove(QStringLiteral("defaultvariables/useflagqtwindow"));
    QCOMPARE(NativeSettings::allKeys(),
             QStringList{QStringLiteral("DefaultVariables/CloseWarning")});
    // Removing a key that is not there is harmless.
    NativeSettings::remove(QStringLiteral("DefaultVariables/UseFlagQtWindow"));
    QCOMPARE(NativeSettings::allKeys().size(), 1);
}

void TestNativeSettings::newKeyJoinsTheGroupAsSpelledInTheStore()
{
    NativeSettings::setValue(QStringLiteral("UserDefinedVariables/DateFormat"),
                             QStringLiteral("d"));
    NativeSettings::setValue(QStringLiteral("userdefinedvariables/HideWarning"), false);
    const QStringList keys = NativeSettings::allKeys();
    QCOMPARE(keys.size(), 2);
    QVERIFY2(keys.contains(QStringLiteral("UserDefinedVariables/HideWarning")),
             qPrintable(keys.join(QLatin1Char(' '))));
}

void TestNativeSettings::writesOfOtherProcessesAreSeenAtOnce()
{
    // Another process (a second copy of the program, or the user with an
    // editor) writes the file directly; nothing may be cached here.
    NativeSettings::setValue(QStringLiteral("Program/SoftwareVersion"), 10700);
    QCOMPARE(NativeSettings::intValue(QStringLiteral("Program/SoftwareVersion")), 10700);
    QFile file(NativeSettings::fileName());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Program]\nSoftwareVersion=10500\nSOFTWARENAME=Other\n");
    file.close();
    QCOMPARE(NativeSettings::intValue(QStringLiteral("program/softwareversion")), 10500);
    QCOMPARE(NativeSettings::stringValue(QStringLiteral("Program/SoftwareName")),
             QStringLiteral("Other"));
}

void TestNativeSettings::removeWithEmptyKeyWipesEverything()
{
    NativeSettings::setValue(QStringLiteral("Program/SoftwareVersion"), 10700);
    NativeSettings::setValue(QStringLiteral("UserDefinedVariables/DefaultWidth"), 210);
    NativeSettings::remove(QString());
    QVERIFY(NativeSettings::allKeys().isEmpty());
}

QTEST_GUILESS_MAIN(TestNativeSettings)
#include "tst_nativesettings.moc"
