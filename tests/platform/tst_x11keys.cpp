// Keys for the X server's grab: a key sequence becomes the key code and
// modifier bits of a keyboard table written here, lock keys never stop the
// key from working, and keys that would steal typing are refused.

#include "platform/x11keys.h"

#include <QtTest>

using namespace X11Keys;
Q_DECLARE_METATYPE(X11Keys::Refusal)

namespace {

// A small keyboard: key codes from 8, two symbols each (plain, shifted), and
// Num Lock on `numLockModifier` (0 to 7; -1: on none).
KeyboardMapping keyboard(int numLockModifier = 4)
{
    const QList<std::pair<int, std::pair<std::uint32_t, std::uint32_t>>> keys = {
        {9, {0xff1b, 0}},   // Escape
        {10, {'1', '!'}},   //
        {38, {'a', 'A'}},   //
        {48, {0xe4, 0xc4}}, // ä Ä
        {49, {0xd7, 0xf7}}, // × ÷
        {57, {'n', 'N'}},   //
        {67, {0xffbe, 0}},  // F1
        {77, {kNumLockKeysym, 0}},
    };
    KeyboardMapping mapping;
    mapping.minKeycode = 8;
    mapping.keysymsPerKeycode = 2;
    mapping.keysyms.fill(0, (100 - 8) * 2);
    for (const auto &[code, symbols] : keys) {
        mapping.keysyms[(code - 8) * 2] = symbols.first;
        mapping.keysyms[(code - 8) * 2 + 1] = symbols.second;
    }
    mapping.keycodesPerModifier = 2;
    mapping.modifierKeycodes.fill(0, 16);
    if (numLockModifier >= 0)
        mapping.modifierKeycodes[numLockModifier * 2 + 1] = 77;
    return mapping;
}

} // namespace

class TestX11Keys : public QObject
{
    Q_OBJECT

private slots:
    void translation_data();
    void translation();
    void latinSymbols_data();
    void latinSymbols();
    void numLockIsFound_data();
    void numLockIsFound();
    void everyLockStateIsGrabbed();
    void pressMatches_data();
    void pressMatches();
};

void TestX11Keys::translation_data()
{
    QTest::addColumn<QString>("sequence"); // portable text
    QTest::addColumn<int>("keycode");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Refusal>("refusal");
    const int ctrl = kControlMask, alt = kMod1Mask, shift = kShiftMask, super = kMod4Mask;
    const auto none = Refusal::None;
    QTest::newRow("the usual key") << "Ctrl+Alt+N" << 57 << (ctrl | alt) << none;
    QTest::newRow("with shift") << "Ctrl+Shift+N" << 57 << (ctrl | shift) << none;
    QTest::newRow("super") << "Meta+A" << 38 << super << none;
    QTest::newRow("plain level") << "Ctrl+1" << 10 << ctrl << none;
    QTest::newRow("shifted level adds shift") << "Ctrl+!" << 10 << (ctrl | shift) << none;
    QTest::newRow("upper-case umlaut is its key") << "Ctrl+Alt+Ä" << 48 << (ctrl | alt) << none;
    QTest::newRow("multiply is no letter") << "Ctrl+×" << 49 << ctrl << none;
    QTest::newRow("escape") << "Ctrl+Esc" << 9 << ctrl << none;
    QTest::newRow("function key alone") << "F1" << 67 << 0 << none;
    QTest::newRow("letter alone") << "N" << 0 << 0 << Refusal::NoModifier;
    QTest::newRow("shift is not enough") << "Shift+N" << 0 << 0 << Refusal::NoModifier;
    QTest::newRow("not on this keyboard") << "Ctrl+Z" << 0 << 0 << Refusal::NotOnKeyboard;
    QTest::newRow("nothing") << "" << 0 << 0 << Refusal::NotOneKey;
    QTest::newRow("two keys in a row") << "Ctrl+A, Ctrl+N" << 0 << 0 << Refusal::NotOneKey;
}

void TestX11Keys::translation()
{
    QFETCH(QString, sequence);
    QFETCH(int, keycode);
    QFETCH(int, modifiers);
    QFETCH(Refusal, refusal);
    const Translation result =
        translate(QKeySequence::fromString(sequence, QKeySequence::PortableText), keyboard());
    QCOMPARE(result.refusal, refusal);
    if (refusal == Refusal::None)
        QCOMPARE(result.grab, (KeyGrab{std::uint8_t(keycode), std::uint16_t(modifiers)}));
}

void TestX11Keys::latinSymbols_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("keysym");
    QTest::newRow("A") << int(Qt::Key_A) << 0x61;
    QTest::newRow("Z") << int(Qt::Key_Z) << 0x7a;
    QTest::newRow("before A") << int(Qt::Key_At) << 0x40;
    QTest::newRow("after Z") << int(Qt::Key_BracketLeft) << 0x5b;
    QTest::newRow("A grave") << int(Qt::Key_Agrave) << 0xe0;
    QTest::newRow("thorn") << int(Qt::Key_THORN) << 0xfe;
    QTest::newRow("sharp s") << int(Qt::Key_ssharp) << 0xdf;
    QTest::newRow("y diaeresis") << int(Qt::Key_ydiaeresis) << 0xff;
    QTest::newRow("F1") << int(Qt::Key_F1) << 0xffbe;
    QTest::newRow("F35") << int(Qt::Key_F35) << 0xffe0;
    QTest::newRow("after F35") << int(Qt::Key_Super_L) << 0;
}

void TestX11Keys::latinSymbols()
{
    QFETCH(int, key);
    QFETCH(int, keysym);
    QCOMPARE(keysymOf(Qt::Key(key)), std::uint32_t(keysym));
}

void TestX11Keys::numLockIsFound_data()
{
    QTest::addColumn<int>("modifier");
    QTest::addColumn<int>("mask");
    QTest::newRow("Mod2, as usual") << 4 << 0x10;
    QTest::newRow("Mod5, the last") << 7 << 0x80;
    QTest::newRow("Shift, the first") << 0 << 0x01;
    QTest::newRow("on no modifier") << -1 << 0;
}

void TestX11Keys::numLockIsFound()
{
    QFETCH(int, modifier);
    QFETCH(int, mask);
    QCOMPARE(numLockMask(keyboard(modifier)), std::uint16_t(mask));
}

void TestX11Keys::everyLockStateIsGrabbed()
{
    const std::uint16_t keys = kControlMask | kMod1Mask;
    QCOMPARE(
        lockVariants(keys, 0x10),
        (QList<std::uint16_t>{keys, std::uint16_t(keys | kLockMask), std::uint16_t(keys | 0x10),
                              std::uint16_t(keys | 0x10 | kLockMask)}));
    // Without Num Lock only Caps Lock varies, and nothing is grabbed twice.
    QCOMPARE(lockVariants(keys, 0), (QList<std::uint16_t>{keys, std::uint16_t(keys | kLockMask)}));
}

void TestX11Keys::pressMatches_data()
{
    QTest::addColumn<int>("keycode");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("matching");
    const int keys = kControlMask | kMod1Mask;
    QTest::newRow("exactly") << 57 << keys << true;
    QTest::newRow("caps and num lock on") << 57 << (keys | kLockMask | 0x10) << true;
    QTest::newRow("a mouse button held") << 57 << (keys | 0x100) << true;
    QTest::newRow("shift as well") << 57 << (keys | kShiftMask) << false;
    QTest::newRow("alt missing") << 57 << int(kControlMask) << false;
    QTest::newRow("another Mod bit") << 57 << (keys | 0x80) << false;
    QTest::newRow("another key") << 58 << keys << false;
}

void TestX11Keys::pressMatches()
{
    QFETCH(int, keycode);
    QFETCH(int, state);
    QFETCH(bool, matching);
    const KeyGrab grab{57, kControlMask | kMod1Mask};
    QCOMPARE(matches(grab, std::uint8_t(keycode), std::uint16_t(state), 0x10), matching);
}

QTEST_APPLESS_MAIN(TestX11Keys)
#include "tst_x11keys.moc"
