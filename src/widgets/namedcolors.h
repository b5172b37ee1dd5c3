#pragma once

#include <QList>
#include <QString>

#include <span>

// The fixed palette of named note colours and the small rules around it. The
// names are translated in the colour selector's context ("RZColorSelector").
namespace NamedColors {

struct Entry
{
    const char *name; // untranslated display name
    const char *rgb;  // "#" and six upper-case hexadecimal digits
};

// A colour as the program hands it around: an RGB string and a display name.
struct ColorChoice
{
    QString rgb;
    QString name;

    bool operator==(const ColorChoice &other) const = default;
};

// Every palette entry, in the order of the untranslated names. RGB strings
// are unique; two entries share the name "Light Goldenrod".
std::span<const Entry> palette();

// The entry carrying `rgb` (exact, case-sensitive), or nullptr.
const Entry *findByRgb(const QString &rgb);

// The display name of `entry` in the current language.
QString translatedName(const Entry &entry);

// (RGB string, translated name) of every entry, in palette order.
QList<ColorChoice> translatedPalette();

// Sorts by name comparing character codes (case-sensitive, no locale rules);
// entries with equal names keep their order.
void sortByName(QList<ColorChoice> &choices);

// Longest name a custom colour keeps; longer names are cut to
// kCustomNameLength - 3 characters followed by "...".
inline constexpr int kCustomNameLength = 20;
QString shortenedCustomName(const QString &name);

} // namespace NamedColors
