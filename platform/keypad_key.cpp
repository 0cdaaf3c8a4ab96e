#include "platform/keypad_key.h"

#include <QKeyEvent>

namespace {

// The digit of a keypad key pressed with Num Lock off, when the keypad sends
// its cursor keys instead of digits; -1 for any other key.
int digitWithNumLockOff(int key) {
    switch (key) {
    case Qt::Key_Insert:
        return 0;
    case Qt::Key_End:
        return 1;
    case Qt::Key_Down:
        return 2;
    case Qt::Key_PageDown:
        return 3;
    case Qt::Key_Left:
        return 4;
    case Qt::Key_Clear:
        return 5;
    case Qt::Key_Right:
        return 6;
    case Qt::Key_Home:
        return 7;
    case Qt::Key_Up:
        return 8;
    case Qt::Key_PageUp:
        return 9;
    default:
        return -1;
    }
}

} // namespace

PadKeyPress padKeyOf(const QKeyEvent& e) {
    const int key = e.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return {PadKey::Digit, key - Qt::Key_0};
    if (e.modifiers() & Qt::KeypadModifier) {
        const int digit = digitWithNumLockOff(key);
        if (digit >= 0)
            return {PadKey::Digit, digit};
    }
    switch (key) {
    case Qt::Key_Slash:
        return {PadKey::Slash};
    case Qt::Key_Asterisk:
        return {PadKey::Star};
    case Qt::Key_Minus:
        return {PadKey::Minus};
    case Qt::Key_Plus:
        return {PadKey::Plus};
    case Qt::Key_Enter:
    case Qt::Key_Return:
        return {PadKey::Enter};
    case Qt::Key_Period:
        return {PadKey::Dot};
    case Qt::Key_Comma:
    case Qt::Key_Delete:
        return {(e.modifiers() & Qt::KeypadModifier) ? PadKey::Dot : PadKey::Other};
    case Qt::Key_Space:
        return {PadKey::Space};
    case Qt::Key_Backspace:
        return {PadKey::Backspace};
    default:
        return {PadKey::Other};
    }
}
