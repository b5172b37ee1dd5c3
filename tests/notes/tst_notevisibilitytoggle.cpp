// Toggling the notes: the second toggle shows exactly the notes the first
// hid, whatever the user showed, hid or deleted in between.

#include "notes/notevisibilitytoggle.h"

#include <QtTest>

namespace {
// One toggle: the notes there are and those shown, then what it must do.
struct ToggleStep
{
    QList<int> all;
    QList<int> shown;
    QList<int> hide;
    QList<int> show;
};
} // namespace
Q_DECLARE_METATYPE(QList<ToggleStep>)

class TestNoteVisibilityToggle : public QObject
{
    Q_OBJECT

private slots:
    void toggles_data();
    void toggles();
};

void TestNoteVisibilityToggle::toggles_data()
{
    QTest::addColumn<QList<ToggleStep>>("steps");
    const QList<int> all{1, 2, 3, 4};
    QTest::newRow("hidden, then the same shown") << QList<ToggleStep>{
        {all, {1, 3}, {1, 3}, {}}, {all, {}, {}, {1, 3}}, {all, {1, 3}, {1, 3}, {}}};
    QTest::newRow("nothing shown and nothing remembered: all")
        << QList<ToggleStep>{{all, {}, {}, all}};
    QTest::newRow("shown again, remembered once")
        << QList<ToggleStep>{{all, {1, 3}, {1, 3}, {}}, {all, {}, {}, {1, 3}}, {all, {}, {}, all}};
    QTest::newRow("a note the user showed in between joins") << QList<ToggleStep>{
        {all, {1, 3}, {1, 3}, {}}, {all, {4}, {4}, {}}, {all, {}, {}, {1, 3, 4}}};
    QTest::newRow("a remembered note shown in between counts once")
        << QList<ToggleStep>{{all, {1, 3}, {1, 3}, {}}, {all, {1}, {1}, {}}, {all, {}, {}, {3, 1}}};
    QTest::newRow("a deleted note is forgotten")
        << QList<ToggleStep>{{all, {1, 3}, {1, 3}, {}}, {{2, 3, 4}, {}, {}, {3}}};
    QTest::newRow("every remembered note deleted: all")
        << QList<ToggleStep>{{all, {1, 3}, {1, 3}, {}}, {{2, 4}, {}, {}, {2, 4}}};
    QTest::newRow("no notes at all") << QList<ToggleStep>{{{}, {}, {}, {}}, {{}, {}, {}, {}}};
}

void TestNoteVisibilityToggle::toggles()
{
    QFETCH(QList<ToggleStep>, steps);
    NoteVisibilityToggle toggle;
    for (int i = 0; i < steps.size(); ++i) {
        const ToggleStep &expected = steps.at(i);
        const NoteVisibilityToggle::Step step = toggle.toggle(expected.all, expected.shown);
        QVERIFY2(step.hide == expected.hide, qPrintable(QString::number(i)));
        QVERIFY2(step.show == expected.show, qPrintable(QString::number(i)));
    }
}

QTEST_APPLESS_MAIN(TestNoteVisibilityToggle)
#include "tst_notevisibilitytoggle.moc"
