#include "platform/x11keys.h"

#include <array>
#include <utility>

namespace X11Keys {
namespace {

// Keys outside Latin-1 whose X symbol is not their Qt code.
constexpr std::array<std::pair<Qt::Key, std::uint32_t>, 20> kSpecialKeys = {{
    {Qt::Key_Escape, 0xff1b},    {Qt::Key_Tab, 0xff09},    {Qt::Key_Backtab, 0xfe20},
    {Qt::Key_Backspace, 0xff08}, {Qt::Key_Return, 0xff0d}, {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Insert, 0xff63},    {Qt::Key_Delete, 0xffff}, {Qt::Key_Pause, 0xff13},
    {Qt::Key_Print, 0xff61},     {Qt::Key_SysReq, 0xff15}, {Qt::Key_Home, 0xff50},
    {Qt::Key_End, 0xff57},       {Qt::Key_Left, 0xff51},   {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},     {Qt::Key_Down, 0xff54},   {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},  {Qt::Key_Menu, 0xff67},
}};

constexpr std::uint32_t kF1Keysym = 0xffbe;
// The bits of a key event's state that are modifiers (the rest are buttons).
constexpr std::uint16_t kModifierBits = 0xff;

bool isFunctionKey(Qt::Key key)
{
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

bool isModifierKey(Qt::Key key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock ||
           key == Qt::Key_NumLock || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

std::uint16_t modifierBitsOf(Qt::KeyboardModifiers modifiers)
{
    std::uint16_t bits = 0;
    if (modifiers & Qt::ShiftModifier)
        bits |= kShiftMask;
    if (modifiers & Qt::ControlModifier)
        bits |= kControlMask;
    if (modifiers & Qt::AltModifier)
        bits |= kMod1Mask;
    if (modifiers & Qt::MetaModifier)
        bits |= kMod4Mask;
    return bits;
}

// The first key code whose symbol at `level` is `keysym`; 0 when none.
std::uint8_t keycodeAtLevel(const KeyboardMapping &mapping, std::uint32_t keysym, int level)
{
    if (level >= mapping.keysymsPerKeycode)
        return 0;
    for (int index = level; index < mapping.keysyms.size(); index += mapping.keysymsPerKeycode) {
        const int keycode = mapping.minKeycode + index / mapping.keysymsPerKeycode;
        if (mapping.keysyms.at(index) == keysym && keycode <= 255)
            return std::uint8_t(keycode);
    }
    return 0;
}

} // namespace

std::uint32_t keysymOf(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::uint32_t(key) + ('a' - 'A');
    // Upper-case Latin-1 letters (not the multiplication sign between them).
    if (key >= Qt::Key_Agrave && key <= Qt::Key_THORN && key != Qt::Key_multiply)
        return std::uint32_t(key) + 0x20;
    if (key >= Qt::Key_Space && key <= Qt::Key_ydiaeresis)
        return std::uint32_t(key);
    if (isFunctionKey(key))
        return kF1Keysym + std::uint32_t(key - Qt::Key_F1);
    for (const auto &[qtKey, keysym] : kSpecialKeys) {
        if (qtKey == key)
            return keysym;
    }
    return 0;
}

Translation translate(const QKeySequence &sequence, const KeyboardMapping &mapping)
{
    Translation result;
    if (sequence.count() != 1) {
        result.refusal = Refusal::NotOneKey;
        return result;
    }
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    if (key == Qt::Key_unknown || isModifierKey(key)) {
        result.refusal = Refusal::NotOneKey;
        return result;
    }
    std::uint16_t modifiers = modifierBitsOf(combination.keyboardModifiers());
    if (!isFunctionKey(key) && (modifiers & (kControlMask | kMod1Mask | kMod4Mask)) == 0) {
        result.refusal = Refusal::NoModifier;
        return result;
    }
    const std::uint32_t keysym = keysymOf(key);
    std::uint8_t keycode = keysym ? keycodeAtLevel(mapping, keysym, 0) : 0;
    if (keysym && !keycode) {
        keycode = keycodeAtLevel(mapping, keysym, 1);
        if (keycode)
            modifiers |= kShiftMask;
    }
    if (!keycode) {
        result.refusal = Refusal::NotOnKeyboard;
        return result;
    }
    result.grab = {keycode, modifiers};
    return result;
}

std::uint16_t numLockMask(const KeyboardMapping &mapping)
{
    const int perModifier = mapping.keycodesPerModifier;
    for (int index = 0; index < mapping.modifierKeycodes.size() && perModifier > 0; ++index) {
        const int keycode = mapping.modifierKeycodes.at(index);
        const int first = (keycode - mapping.minKeycode) * mapping.keysymsPerKeycode;
        if (keycode == 0 || first < 0)
            continue;
        for (int level = 0; level < mapping.keysymsPerKeycode; ++level) {
            if (first + level < mapping.keysyms.size() &&
                mapping.keysyms.at(first + level) == kNumLockKeysym)
                return std::uint16_t(1 << (index / perModifier));
        }
    }
    return 0;
}

QList<std::uint16_t> lockVariants(std::uint16_t modifiers, std::uint16_t numLock)
{
    QList<std::uint16_t> variants{modifiers, std::uint16_t(modifiers | kLockMask)};
    if (numLock != 0 && numLock != kLockMask) {
        variants.append(std::uint16_t(modifiers | numLock));
        variants.append(std::uint16_t(modifiers | numLock | kLockMask));
    }
    return variants;
}

bool matches(const KeyGrab &grab, std::uint8_t keycode, std::uint16_t state, std::uint16_t numLock)
{
    const std::uint16_t relevant = state & kModifierBits & ~(kLockMask | numLock);
    return keycode == grab.keycode && relevant == grab.modifiers;
}

} // namespace X11Keys
