#include "dialogdriving.h"
#include "ui/standarddialogs.h"
#include "widgets/namedcolors.h"
#include "widgets/rzcolorselector.h"
#include "widgets/rzcolorselectordialog.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <optional>

using NamedColors::ColorChoice;
using OptionalText = std::optional<QString>;

Q_DECLARE_METATYPE(OptionalText)

namespace {
constexpr int kPaletteSize = 191;

QString rgbAt(const QComboBox &combo, int index)
{
    return combo.itemData(index, Qt::UserRole).toString();
}

QStringList itemTexts(const QComboBox &combo)
{
    QStringList texts;
    for (int index = 0; index < combo.count(); ++index)
        texts << combo.itemText(index);
    return texts;
}
} // namespace

class TestRZColorSelector : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { StandardDialogs::setAnswerOnlyFromQueue(true); }
    void init() { StandardDialogs::clearAnswers(); }

    void cleanup()
    {
        StandardDialogs::takeHistory();
        QCOMPARE(StandardDialogs::pendingAnswers(), 0);
    }

    void paletteTable()
    {
        const auto palette = NamedColors::palette();
        QCOMPARE(int(palette.size()), kPaletteSize);

        const QRegularExpression rgbPattern(QStringLiteral("^#[0-9A-F]{6}$"));
        QSet<QString> rgbs;
        QStringList names;
        for (const NamedColors::Entry &entry : palette) {
            QVERIFY2(rgbPattern.match(QLatin1String(entry.rgb)).hasMatch(), entry.rgb);
            rgbs.insert(QLatin1String(entry.rgb));
            names << QLatin1String(entry.name);
        }
        QCOMPARE(rgbs.size(), kPaletteSize);

        // Names as users have them stored, odd spellings included.
        QVERIFY(names.contains(QStringLiteral("Dim Drey")));
        QVERIFY(names.contains(QStringLiteral("Deep  Ochre")));
        QCOMPARE(names.count(QStringLiteral("Light Goldenrod")), 2);
        QCOMPARE(QLatin1String(NamedColors::findByRgb(QStringLiteral("#FAFAD2"))->name),
                 QLatin1String("Light Goldenrod"));
        QCOMPARE(QLatin1String(NamedColors::findByRgb(QStringLiteral("#EEDD82"))->name),
                 QLatin1String("Light Goldenrod"));
        QCOMPARE(QLatin1String(NamedColors::findByRgb(QStringLiteral("#FFFACD"))->name),
                 QLatin1String("Lemon Chiffon"));
        QVERIFY(!NamedColors::findByRgb(QStringLiteral("#fffacd")));
        QVERIFY(!NamedColors::findByRgb(QStringLiteral("#123456")));
    }

    void sortByName_data()
    {
        QTest::addColumn<QList<ColorChoice>>("input");
        QTest::addColumn<QStringList>("expectedRgbs");

        QTest::newRow("character codes, not locale") << QList<ColorChoice>{{"#1", "blue"},
                                                                           {"#2", "Zinc"},
                                                                           {"#3", "\u00C9cru"},
                                                                           {"#4", "Alpha"}}
                                                     << QStringList{"#4", "#2", "#1", "#3"};
        QTest::newRow("blank sorts first")
            << QList<ColorChoice>{{"#1", "Deep Cadmium Red"}, {"#2", "Deep  Ochre"}, {"#3", "Deep"}}
            << QStringList{"#3", "#2", "#1"};
        QTest::newRow("equal names keep their order")
            << QList<ColorChoice>{{"#B", "Light Goldenrod"},
                                  {"#0", "Gold"},
                                  {"#A", "Light Goldenrod"}}
            << QStringList{"#0", "#B", "#A"};
    }

    void sortByName()
    {
        QFETCH(QList<ColorChoice>, input);
        QFETCH(QStringList, expectedRgbs);
        NamedColors::sortByName(input);
        QStringList rgbs;
        for (const ColorChoice &choice : input)
            rgbs << choice.rgb;
        QCOMPARE(rgbs, expectedRgbs);
    }

    void shortenedCustomName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << "Dusk"
                               << "Dusk";
        QTest::newRow("20 characters") << "ABCDEFGHIJKLMNOPQRST"
                                       << "ABCDEFGHIJKLMNOPQRST";
        QTest::newRow("21 characters") << "ABCDEFGHIJKLMNOPQRSTU"
                                       << "ABCDEFGHIJKLMNOPQ...";
        QTest::newRow("30 characters") << "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"
                                       << "ABCDEFGHIJKLMNOPQ...";
    }

    void shortenedCustomName()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(NamedColors::shortenedCustomName(name), expected);
        QVERIFY(NamedColors::shortenedCustomName(name).size() <= 20);
    }

    void listContents()
    {
        const RZColorSelector selector;
        QCOMPARE(selector.count(), kPaletteSize + 1);
        QCOMPARE(selector.itemText(0), QStringLiteral("Alice Blue"));
        QCOMPARE(selector.itemText(kPaletteSize - 1), QStringLiteral("Zinc White"));
        QCOMPARE(selector.itemText(kPaletteSize), QStringLiteral("More..."));
        QCOMPARE(rgbAt(selector, kPaletteSize), QStringLiteral("<no-data>"));
        QVERIFY(selector.itemIcon(kPaletteSize).isNull());
        QVERIFY(selector.currentColorRGB().isEmpty());
        QCOMPARE(selector.currentIndex(), 0);

        // Every palette colour is listed once, in name order, with its swatch.
        QList<ColorChoice> expected = NamedColors::translatedPalette();
        NamedColors::sortByName(expected);
        for (int index = 0; index < kPaletteSize; ++index) {
            QCOMPARE(selector.itemText(index), expected.at(index).name);
            QCOMPARE(rgbAt(selector, index), expected.at(index).rgb);
            const QImage swatch = selector.itemIcon(index).pixmap(12, 12).toImage();
            QCOMPARE(swatch.size(), QSize(12, 12));
            QCOMPARE(swatch.pixelColor(5, 5), QColor(expected.at(index).rgb));
            QCOMPARE(swatch.pixelColor(0, 0), QColor(Qt::black));
        }
        const int goldenrod = selector.findText(QStringLiteral("Light Goldenrod"));
        QCOMPARE(rgbAt(selector, goldenrod), QStringLiteral("#FAFAD2"));
        QCOMPARE(selector.itemText(goldenrod + 1), QStringLiteral("Light Goldenrod"));
        QCOMPARE(rgbAt(selector, goldenrod + 1), QStringLiteral("#EEDD82"));
    }

    void construction_data()
    {
        QTest::addColumn<QString>("rgb");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("expectedCount");
        QTest::addColumn<int>("expectedIndex");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedRgb");

        const int plain = kPaletteSize + 1;
        QTest::newRow("palette rgb, its name") << "#FFFACD"
                                               << "Lemon Chiffon" << plain << 85 << "Lemon Chiffon"
                                               << "#FFFACD";
        QTest::newRow("palette rgb wins over any name") << "#FFFACD"
                                                        << "Tan" << plain << 85 << "Lemon Chiffon"
                                                        << "#FFFACD";
        QTest::newRow("palette rgb, no name") << "#EEDD82"
                                              << "" << plain << 92 << "Light Goldenrod"
                                              << "#EEDD82";
        QTest::newRow("unknown rgb with a name is added before More...")
            << "#123456"
            << "My Dusk" << plain + 1 << kPaletteSize << "My Dusk"
            << "#123456";
        QTest::newRow("unknown rgb under a palette name")
            << "#123456"
            << "Tan" << plain + 1 << kPaletteSize << "Tan"
            << "#123456";
        QTest::newRow("unknown rgb, no name: nothing added or selected")
            << "#123456"
            << "" << plain << 0 << "Alice Blue"
            << "";
        QTest::newRow("rgb compared exactly") << "#fffacd"
                                              << "" << plain << 0 << "Alice Blue"
                                              << "";
        QTest::newRow("only a name") << ""
                                     << "Tan" << plain << 169 << "Tan"
                                     << "#D2B48C";
        QTest::newRow("only a shared name takes the first")
            << ""
            << "Light Goldenrod" << plain << 91 << "Light Goldenrod"
            << "#FAFAD2";
        QTest::newRow("unknown name") << ""
                                      << "Sunset" << plain << 0 << "Alice Blue"
                                      << "";
        QTest::newRow("name compared exactly") << ""
                                               << "tan" << plain << 0 << "Alice Blue"
                                               << "";
        QTest::newRow("nothing") << ""
                                 << "" << plain << 0 << "Alice Blue"
                                 << "";
    }

    void construction()
    {
        QFETCH(QString, rgb);
        QFETCH(QString, name);
        QFETCH(int, expectedCount);
        QFETCH(int, expectedIndex);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedRgb);

        const RZColorSelector selector(rgb, name);
        QCOMPARE(selector.count(), expectedCount);
        QCOMPARE(selector.currentIndex(), expectedIndex);
        QCOMPARE(selector.currentText(), expectedText);
        QCOMPARE(selector.currentColorRGB(), expectedRgb);
        QCOMPARE(selector.itemText(selector.count() - 1), QStringLiteral("More..."));
        QVERIFY(StandardDialogs::takeHistory().isEmpty());
    }

    void userPicksPaletteColour()
    {
        RZColorSelector selector(QStringLiteral("#FFFACD"), QString());
        DialogDriving::pickItem(&selector, selector.findText(QStringLiteral("Tan")));
        QCOMPARE(selector.currentText(), QStringLiteral("Tan"));
        QCOMPARE(selector.currentColorRGB(), QStringLiteral("#D2B48C"));

        // Picking the item already shown still takes its colour.
        RZColorSelector unset(QStringLiteral("#123456"), QString());
        QCOMPARE(unset.currentIndex(), 0);
        QVERIFY(unset.currentColorRGB().isEmpty());
        DialogDriving::pickItem(&unset, 0);
        QCOMPARE(unset.currentColorRGB(), QStringLiteral("#F0F8FF"));
        QVERIFY(StandardDialogs::takeHistory().isEmpty());
    }

    void setCurrentColorIndex()
    {
        RZColorSelector selector;
        selector.setCurrentColorIndex(selector.findText(QStringLiteral("Red")));
        QCOMPARE(selector.currentText(), QStringLiteral("Red"));
        QCOMPARE(selector.currentColorRGB(), QStringLiteral("#FF0000"));
    }

    void more_data()
    {
        QTest::addColumn<QString>("initialRgb");
        QTest::addColumn<QColor>("mixedColor");
        QTest::addColumn<QList<OptionalText>>("nameAnswers");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedRgb");
        QTest::addColumn<int>("expectedCount");

        const int plain = kPaletteSize + 1;
        const QColor newColour(0x12, 0xab, 0x56);
        QTest::newRow("palette colour mixed: selected without a name")
            << "#FFFACD" << QColor(255, 0, 0) << QList<OptionalText>{} << "Red"
            << "#FF0000" << plain;
        QTest::newRow("new colour named")
            << "#FFFACD" << newColour << QList<OptionalText>{QStringLiteral("Sea at dusk")}
            << "Sea at dusk"
            << "#12AB56" << plain + 1;
        QTest::newRow("long name cut to 20")
            << "#FFFACD" << newColour
            << QList<OptionalText>{QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234")}
            << "ABCDEFGHIJKLMNOPQ..."
            << "#12AB56" << plain + 1;
        QTest::newRow("empty names asked again")
            << "#FFFACD" << newColour
            << QList<OptionalText>{QString(), QString(), QStringLiteral("Third try")} << "Third try"
            << "#12AB56" << plain + 1;
        QTest::newRow("name cancelled: previous colour back")
            << "#FFFACD" << newColour << QList<OptionalText>{std::nullopt} << "Lemon Chiffon"
            << "#FFFACD" << plain;
        QTest::newRow("empty name, then cancelled")
            << "#D2B48C" << newColour << QList<OptionalText>{QString(), std::nullopt} << "Tan"
            << "#D2B48C" << plain;
        QTest::newRow("colour chooser cancelled")
            << "#FFFACD" << QColor() << QList<OptionalText>{} << "Lemon Chiffon"
            << "#FFFACD" << plain;
        QTest::newRow("colour chooser cancelled, nothing chosen before")
            << "" << QColor() << QList<OptionalText>{} << "Alice Blue"
            << "" << plain;
    }

    void more()
    {
        QFETCH(QString, initialRgb);
        QFETCH(QColor, mixedColor);
        QFETCH(QList<OptionalText>, nameAnswers);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedRgb);
        QFETCH(int, expectedCount);

        RZColorSelector selector(initialRgb, QString());
        StandardDialogs::queueColor(mixedColor);
        for (const OptionalText &answer : std::as_const(nameAnswers))
            StandardDialogs::queueText(answer);

        DialogDriving::pickItem(&selector, selector.count() - 1);

        QCOMPARE(selector.currentText(), expectedText);
        QCOMPARE(selector.currentColorRGB(), expectedRgb);
        QCOMPARE(selector.count(), expectedCount);
        QCOMPARE(selector.itemText(selector.count() - 1), QStringLiteral("More..."));
        if (expectedCount > kPaletteSize + 1)
            QCOMPARE(selector.currentIndex(), selector.count() - 2);

        const QList<StandardDialogs::Request> asked = StandardDialogs::takeHistory();
        QCOMPARE(asked.size(), 1 + nameAnswers.size());
        QCOMPARE(asked.first().kind, StandardDialogs::Kind::Color);
        QCOMPARE(asked.first().initialColor, QColor(initialRgb));
        for (qsizetype i = 1; i < asked.size(); ++i) {
            QCOMPARE(asked.at(i).kind, StandardDialogs::Kind::Text);
            QCOMPARE(asked.at(i).caption, QStringLiteral("Custom Color"));
            QCOMPARE(asked.at(i).label,
                     QStringLiteral("<p>Please enter a temporary name for this color:"));
            QCOMPARE(asked.at(i).initialText, QStringLiteral("Undefined color"));
        }
    }

    void customColoursStackBeforeMore()
    {
        RZColorSelector selector(QStringLiteral("#FFFACD"), QString());
        StandardDialogs::queueColor(QColor(0x11, 0x11, 0x11));
        StandardDialogs::queueText(QStringLiteral("First"));
        DialogDriving::pickItem(&selector, selector.count() - 1);
        StandardDialogs::queueColor(QColor(0x22, 0x22, 0x22));
        StandardDialogs::queueText(QStringLiteral("Second"));
        DialogDriving::pickItem(&selector, selector.count() - 1);

        QCOMPARE(itemTexts(selector).mid(kPaletteSize),
                 (QStringList{"First", "Second", "More..."}));
        QCOMPARE(selector.currentColorRGB(), QStringLiteral("#222222"));

        // A custom colour mixed again is found, not named anew.
        StandardDialogs::queueColor(QColor(0x11, 0x11, 0x11));
        DialogDriving::pickItem(&selector, selector.count() - 1);
        QCOMPARE(selector.currentText(), QStringLiteral("First"));
        QCOMPARE(selector.count(), kPaletteSize + 3);

        // Refilling the list drops custom colours and selects nothing anew.
        selector.changeLanguage();
        QCOMPARE(selector.count(), kPaletteSize + 1);
        QCOMPARE(selector.findText(QStringLiteral("First")), -1);
        QCOMPARE(selector.currentIndex(), 0);
    }

    void dialog_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("expectedResult");
        QTest::newRow("ok") << "&OK" << int(QDialog::Accepted);
        QTest::newRow("cancel") << "&Cancel" << int(QDialog::Rejected);
        QTest::newRow("close") << "" << int(QDialog::Rejected);
    }

    void dialog()
    {
        QFETCH(QString, pressed);
        QFETCH(int, expectedResult);

        RZColorSelectorDialog dialog(QStringLiteral("#ABCDEF"), QStringLiteral("Mine"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Color Chooser"));
        QVERIFY(dialog.findChild<QLabel *>());
        QCOMPARE(dialog.findChild<QLabel *>()->text(), QStringLiteral("Select a color:"));
        QCOMPARE(dialog.selectedColorName(), QStringLiteral("Mine"));
        QCOMPARE(dialog.selectedColorRGB(), QStringLiteral("#ABCDEF"));

        const int result = DialogDriving::runModal(dialog, [&](QDialog *shown) {
            DialogDriving::pickItem(dialog.colorSelector(),
                                    dialog.colorSelector()->findText(QStringLiteral("Tan")));
            if (pressed.isEmpty())
                shown->close();
            else
                DialogDriving::button(shown, pressed)->click();
        });
        QCOMPARE(result, expectedResult);
        QCOMPARE(dialog.selectedColorName(), QStringLiteral("Tan"));
        QCOMPARE(dialog.selectedColorRGB(), QStringLiteral("#D2B48C"));
    }
};

QTEST_MAIN(TestRZColorSelector)
#include "tst_rzcolorselector.moc"
