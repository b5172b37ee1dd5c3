#pragma once

#include <QKeySequence>
#include <QList>

#include <cstdint>
#include <optional>

// Turning a key sequence into what the X server grabs: a key code and a set
// of modifier bits. Kept apart from the display connection, so each layout
// and key is checked against a keyboard table a test writes itself.
namespace X11Keys {

// The modifier bits of the X protocol (the "state" of a key event).
inline constexpr std::uint16_t kShiftMask = 1 << 0;
inline constexpr std::uint16_t kLockMask = 1 << 1; // Caps Lock
inline constexpr std::uint16_t kControlMask = 1 << 2;
inline constexpr std::uint16_t kMod1Mask = 1 << 3; // Alt
inline constexpr std::uint16_t kMod4Mask = 1 << 6; // Super ("Meta" in Qt)
inline constexpr std::uint32_t kNumLockKeysym = 0xff7f;

// The server's table of key codes: for each code from `minKeycode` on,
// `keysymsPerKeycode` key symbols (unshifted first, then shifted, ...).
struct KeyboardMapping
{
    int minKeycode = 8;
    int keysymsPerKeycode = 0;
    QList<std::uint32_t> keysyms;
    // The key codes of each of the eight modifiers, `keycodesPerModifier`
    // each, 0 for an unused place.
    int keycodesPerModifier = 0;
    QList<std::uint8_t> modifierKeycodes;
};

struct KeyGrab
{
    std::uint8_t keycode = 0;
    std::uint16_t modifiers = 0;
    bool operator==(const KeyGrab &other) const = default;
};

// The X key symbol of a Qt key, leaving out its modifiers (letters give
// their lower-case symbol, as the unshifted key carries it); 0 when X has
// none for it.
std::uint32_t keysymOf(Qt::Key key);

// Why a key sequence cannot be grabbed; None when it can.
enum class Refusal
{
    None,
    NotOneKey,    // empty, or more than one key pressed one after another
    NoModifier,   // an ordinary key without Ctrl, Alt or Super would be lost to typing
    NotOnKeyboard // no key of this keyboard gives the symbol
};

struct Translation
{
    KeyGrab grab;
    Refusal refusal = Refusal::None;
};

// The key code and modifiers that press `sequence` under `mapping`. A symbol
// that only the shifted level of its key gives ("!" on most layouts) is
// pressed with Shift. Function keys may stand alone; any other key needs
// Ctrl, Alt or Super.
Translation translate(const QKeySequence &sequence, const KeyboardMapping &mapping);

// The modifier bit that Num Lock sets under `mapping`; 0 when no modifier
// holds the Num Lock key.
std::uint16_t numLockMask(const KeyboardMapping &mapping);

// The states a grab must cover so that it works whatever Caps Lock and Num
// Lock are: `grab`'s modifiers with each combination of the two.
QList<std::uint16_t> lockVariants(std::uint16_t modifiers, std::uint16_t numLock);

// Whether a key press with `keycode` and `state` is `grab`, whatever the
// lock keys and mouse buttons are.
bool matches(const KeyGrab &grab, std::uint8_t keycode, std::uint16_t state, std::uint16_t numLock);

} // namespace X11Keys
