#include "widgets/namedcolors.h"

#include <QCoreApplication>

#include <algorithm>

namespace NamedColors {
namespace {

// Names are kept exactly as they have always been spelled (including "Dim Drey"
// and the two blanks of "Deep  Ochre"): notes and presets store them, and a
// stored name must still find its entry.
// clang-format off
constexpr Entry kPalette[] = {
    {QT_TRANSLATE_NOOP("RZColorSelector", "Alice Blue"), "#F0F8FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Alizarin Crimson"), "#E32636"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Antique White"), "#FAEBD7"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Aquamarine"), "#7FFFD4"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Aureoline Yellow"), "#FFA824"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Azure"), "#F0FFFF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Banana"), "#E3CF57"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Beige"), "#A39480"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Bisque"), "#FFE4C4"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Black"), "#000000"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Blanched Almond"), "#FFEBCD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Blue"), "#0000FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Blue Violet"), "#8A2BE2"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Brick"), "#9C661F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Brown"), "#802A2A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Brown Madder"), "#DB2929"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Brown Ochre"), "#87421F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Burlywood"), "#DEB887"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Burnt Sienna"), "#8A360F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Burnt Umber"), "#8A3324"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cadet"), "#5F9EA0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cadmium Lemon"), "#FFE303"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cadmium Orange"), "#FF6103"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cadmium Yellow"), "#FF9912"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Carrot"), "#ED9121"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cerulean"), "#05B8CC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Chartreuse"), "#7FFF00"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Chocolate"), "#D2691E"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Chrome Oxide Green"), "#668014"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cinnabar Green"), "#61B329"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cobalt"), "#3D59AB"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cobalt Green"), "#3D9140"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cold Grey"), "#808A87"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Coral"), "#FF7F50"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cornflower"), "#6495ED"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cornsilk"), "#FFF8DC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Cyan"), "#00FFFF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Goldenrod"), "#B8860B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Green"), "#006400"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Khaki"), "#BDB76B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Olive Green"), "#556B2F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Orange"), "#FF8C00"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Orchid"), "#9932CC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Sea Green"), "#8FBC8F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Slate Blue"), "#483D8B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Slate Grey"), "#2F4F4F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Turquoise"), "#00CED1"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dark Violet"), "#9400D3"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep  Ochre"), "#733D1A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Cadmium Red"), "#E3170D"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Cobalt Violet"), "#91219E"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Madder Lake"), "#E32E30"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Naples Yellow"), "#FFA812"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Pink"), "#FF1493"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Deep Sky Blue"), "#00BFFF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dim Drey"), "#696969"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Dodger Blue"), "#1E90FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Drab Olive"), "#6B8E23"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Eggshell"), "#FCE6C9"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Emerald Green"), "#00C957"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "English Red"), "#D43D1A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Firebrick"), "#B22222"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Floral White"), "#FFFAF0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Forest Green"), "#228B22"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Gainsboro"), "#DCDCDC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Geranium Lake"), "#E31230"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Ghost White"), "#F8F8FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Gold"), "#FFD700"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Gold Ochre"), "#C77826"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Goldenrod"), "#DAA520"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Green"), "#00FF00"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Green Yellow"), "#ADFF2F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Greenish Umber"), "#FF3D0D"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Grey"), "#C0C0C0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Honeydew"), "#F0FFF0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Hot Pink"), "#FF69B4"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Indian Red"), "#B0171F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Indigo"), "#2E0854"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Ivory"), "#FFFFF0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Ivory Black"), "#292421"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Khaki"), "#F0E68C"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lamp Black"), "#2E473B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lavender"), "#E6E6FA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lavender Blush"), "#FFF0F5"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lawn Green"), "#7CFC00"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lemon Chiffon"), "#FFFACD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Beige"), "#F5F5DC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Blue"), "#ADD8E6"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Cadmium Red"), "#FF030D"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Cadmium Yellow"), "#FFB00F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Coral"), "#F08080"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Goldenrod"), "#FAFAD2"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Goldenrod"), "#EEDD82"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Green"), "#90EE90"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Grey"), "#D3D3D3"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Orange"), "#FFA500"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Pink"), "#FFB6C1"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Salmon"), "#FFA07A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Sea Green"), "#20B2AA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Sky Blue"), "#87CEFA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Slate Blue"), "#8470FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Slate Grey"), "#778899"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Steel Blue"), "#B0C4DE"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Viridian"), "#6EFF70"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Light Yellow"), "#FFFFE0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Lime Green"), "#32CD32"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Linen"), "#FAF0E6"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Magenta"), "#FF00FF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Manganese Blue"), "#03A89E"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Maroon"), "#B03060"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Mars Orange"), "#964514"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Mars Yellow"), "#E3701A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Aquamarine"), "#66CDAA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Blue"), "#0000CD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Orchid"), "#BA55D3"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Purple"), "#9370DB"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Sea Green"), "#3CB371"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Slate Blue"), "#7B68EE"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Spring Green"), "#00FA9A"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Turquoise"), "#48D1CC"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Medium Violet Red"), "#C71585"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Melon"), "#E3A869"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Midnight Blue"), "#191970"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Mint"), "#BDFCC9"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Mint Cream"), "#F5FFFA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Misty Rose"), "#FFE4E1"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Moccasin"), "#FFE4B5"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Navajo White"), "#FFDEAD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Navy"), "#000080"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Old Lace"), "#FDF5E6"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Olive"), "#3B5E2B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Orange"), "#FF8000"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Orange Red"), "#FF4500"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Orchid"), "#DA70D6"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Pale Goldenrod"), "#EEE8AA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Pale Green"), "#98FB98"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Pale Turquoise"), "#AFEEEE"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Pale Violet Red"), "#DB7093"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Papaya Whip"), "#FFEFD5"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Peach Puff"), "#FFADB9"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Peacock"), "#33A1C9"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Permanent Green"), "#0AC92B"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Permanent Violet Red"), "#DB2645"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Peru"), "#CD853F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Pink"), "#FFC0CB"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Plum"), "#DDA0DD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Powder Blue"), "#B0E0E6"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Purple"), "#A020F0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Raspberry"), "#872657"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Raw Sienna"), "#C76114"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Raw Umber"), "#734A12"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Red"), "#FF0000"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Rose Madder"), "#E33638"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Rosy Brown"), "#BC8F8F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Royal Blue"), "#4169E1"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Saddle Brown"), "#8B4513"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Salmon"), "#FA8072"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sandy Brown"), "#F4A460"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sap Green"), "#308014"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sea Green"), "#2E8B57"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Seashell"), "#FFF5EE"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sepia"), "#5E2612"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sienna"), "#A0522D"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Sky Blue"), "#87CEEB"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Slate Blue"), "#6A5ACD"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Slate Grey"), "#708090"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Snow"), "#FFFAFA"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Spring Green"), "#00FF7F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Steel Blue"), "#4682B4"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Tan"), "#D2B48C"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Terre Verte"), "#385E0F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Thistle"), "#D8BFD8"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Titanium White"), "#FCFFF0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Tomato"), "#FF6347"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Turquoise"), "#40E0D0"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Turquoise Blue"), "#00C78C"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Ultramarine"), "#120A8F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Ultramarine Violet"), "#5C246E"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Van Dyke Brown"), "#5E2605"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Venetian Red"), "#D41A1F"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Violet"), "#8F5E99"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Violet Red"), "#D02090"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Warm Grey"), "#808069"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Wheat"), "#F5DEB3"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "White"), "#FFFFFF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "White Cyan"), "#E0FFFF"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "White Smoke"), "#F5F5F5"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Yellow"), "#FFFF00"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Yellow Green"), "#9ACD32"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Yellow Ochre"), "#E38217"},
    {QT_TRANSLATE_NOOP("RZColorSelector", "Zinc White"), "#FDF8FF"},
};
// clang-format on

static_assert(std::size(kPalette) == 191, "the palette has 191 colours");

} // namespace

std::span<const Entry> palette()
{
    return kPalette;
}

const Entry *findByRgb(const QString &rgb)
{
    const auto found =
        std::find_if(std::begin(kPalette), std::end(kPalette),
                     [&rgb](const Entry &entry) { return rgb == QLatin1String(entry.rgb); });
    return found == std::end(kPalette) ? nullptr : found;
}

QString translatedName(const Entry &entry)
{
    return QCoreApplication::translate("RZColorSelector", entry.name);
}

QList<ColorChoice> translatedPalette()
{
    QList<ColorChoice> choices;
    choices.reserve(qsizetype(std::size(kPalette)));
    for (const Entry &entry : kPalette)
        choices.append({QString::fromLatin1(entry.rgb), translatedName(entry)});
    return choices;
}

void sortByName(QList<ColorChoice> &choices)
{
    std::stable_sort(choices.begin(), choices.end(),
                     [](const ColorChoice &a, const ColorChoice &b) {
                         return QString::compare(a.name, b.name, Qt::CaseSensitive) < 0;
                     });
}

QString shortenedCustomName(const QString &name)
{
    if (name.size() <= kCustomNameLength)
        return name;
    return name.left(kCustomNameLength - 3) + QStringLiteral("...");
}

} // namespace NamedColors
