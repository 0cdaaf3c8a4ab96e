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
        {Qt::Key_9, Qt::NoModifier, "9", PadKey::Digit, 9}, // the main row
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", PadKey::Enter, 0},
        // The keypad's decimal key as a comma or, with Num Lock off, Delete.
        {Qt::Key_Comma, Qt::KeypadModifier, ",", PadKey::Dot, 0},
        {Qt::Key_Delete, Qt::KeypadModifier, "", PadKey::Dot, 0},
        {Qt::Key_Delete, Qt::NoModifier, "", PadKey::Other, 0},
    };
    // With Num Lock off the keypad sends the cursor key printed beside each
    // digit; the same keys of the main keyboard are no digits.
    const Qt::Key off[10] = {Qt::Key_Insert, Qt::Key_End,   Qt::Key_Down,  Qt::Key_PageDown,
                             Qt::Key_Left,   Qt::Key_Clear, Qt::Key_Right, Qt::Key_Home,
                             Qt::Key_Up,     Qt::Key_PageUp};
    for (int d = 0; d < 10; ++d) {
        const QKeyEvent pad(QEvent::KeyPress, off[d], Qt::KeypadModifier);
        EXPECT_EQ(padKeyOf(pad).key, PadKey::Digit) << off[d];
        EXPECT_EQ(padKeyOf(pad).digit, d) << off[d];
        const QKeyEvent main(QEvent::KeyPress, off[d], Qt::NoModifier);
        EXPECT_EQ(padKeyOf(main).key, PadKey::Other) << off[d];
    }
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
