// The keys a learner types codes with: the keypad's, with Num Lock on and off,
// and the main keyboard's digits; never the main keyboard's cursor keys.
#include "platform/keypad_key.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(KeypadKey, OnlyTheKeypadsCursorKeysReadAsDigits) {
    struct Row {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        PadKey expected;
        int digit;
    };
    const Row rows[] = {
        {Qt::Key_0, Qt::KeypadModifier, "0", PadKey::Digit, 0},
        {Qt::Key_9, Qt::KeypadModifier, "9", PadKey::Digit, 9},
        {Qt::Key_9, Qt::NoModifier, "9", PadKey::Digit, 9},         // the main row
        {Qt::Key_Insert, Qt::KeypadModifier, "", PadKey::Digit, 0}, // Num Lock off: 0
        {Qt::Key_End, Qt::KeypadModifier, "", PadKey::Digit, 1},    // 1
        {Qt::Key_Home, Qt::KeypadModifier, "", PadKey::Digit, 7},   // 7
        {Qt::Key_PageUp, Qt::KeypadModifier, "", PadKey::Digit, 9}, // 9, the last
        {Qt::Key_End, Qt::NoModifier, "", PadKey::Other, 0},        // the main keyboard's
        {Qt::Key_Home, Qt::NoModifier, "", PadKey::Other, 0},
        {Qt::Key_Left, Qt::NoModifier, "", PadKey::Other, 0},
        {Qt::Key_PageUp, Qt::NoModifier, "", PadKey::Other, 0},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", PadKey::Enter, 0},
    };
    for (const Row& r : rows) {
        const QKeyEvent e(QEvent::KeyPress, r.key, r.modifiers, QString::fromLatin1(r.text));
        const PadKeyPress p = padKeyOf(e);
        EXPECT_EQ(p.key, r.expected) << r.key << " " << r.modifiers;
        if (r.expected == PadKey::Digit) {
            EXPECT_EQ(p.digit, r.digit) << r.key;
        }
    }
}

} // namespace
