#include "keypad_key.h"

#include <QKeyEvent>

PadKeyPress padKeyOf(const QKeyEvent& e) {
    const int key = e.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return {PadKey::Digit, key - Qt::Key_0};
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
