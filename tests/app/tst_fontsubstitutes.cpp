// Notes written on Windows name Windows font families; each gets an installed
// face of similar width, so the welcome note's greeting fits its window.

#include "app/fontsubstitutes.h"
#include "notes/stickywidget.h"
#include "platform/nativesettings.h"
#include "settings/preferences.h"
#include "store/notedatabase.h"
#include "testnotes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

namespace {

// "Nimbus Sans [URW]" names the family "Nimbus Sans" of the foundry URW.
QString withoutFoundry(const QString &family)
{
    const qsizetype bracket = family.indexOf(QStringLiteral(" ["));
    return bracket < 0 ? family : family.left(bracket);
}

} // namespace

class TestFontSubstitutes : public QObject
{
    Q_OBJECT

private slots:
    void windowsFamiliesResolveToSimilarFaces_data();
    void windowsFamiliesResolveToSimilarFaces();
    void welcomeNoteFitsItsWindow();
};

void TestFontSubstitutes::windowsFamiliesResolveToSimilarFaces_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("candidates");
    for (const FontSubstitutes::Substitute &entry : FontSubstitutes::table())
        QTest::newRow(qPrintable(entry.family)) << entry.family << entry.candidates;
}

void TestFontSubstitutes::windowsFamiliesResolveToSimilarFaces()
{
    QFETCH(QString, family);
    QFETCH(QStringList, candidates);
    FontSubstitutes::install();
    QStringList installed;
    for (const QString &name : QFontDatabase::families())
        installed << withoutFoundry(name);
    QString expected;
    for (const QString &candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            expected = candidate;
            break;
        }
    }
    QVERIFY2(!expected.isEmpty(), "none of the faces is installed (scripts/prepare installs them)");
    QCOMPARE(withoutFoundry(QFontInfo(QFont(family)).family()).toLower(), expected.toLower());
}

void TestFontSubstitutes::welcomeNoteFitsItsWindow()
{
    FontSubstitutes::install();
    NativeSettings::setValue(Preferences::userKey(Preferences::Names::DateFormat),
                             QStringLiteral("d MMM yyyy h:mm AP"));
    const std::unique_ptr<StickyWidget> noteWindow(newTestNote(
        1, QStringLiteral("#FFFF00"), QStringLiteral("Yellow"), QDateTime::currentDateTime(),
        QDateTime(), QDateTime(), QString(), true, WelcomeNote::document()));
    StickyWidget &note = *noteWindow;
    note.setGeometry(200, 200, 300, 200); // as the first start stores it
    note.show();
    QVERIFY(QTest::qWaitForWindowExposed(&note));
    QScrollBar *scroll = note.textBrowser()->verticalScrollBar();
    QTRY_COMPARE(scroll->maximum(), 0);
}

QTEST_MAIN(TestFontSubstitutes)
#include "tst_fontsubstitutes.moc"
