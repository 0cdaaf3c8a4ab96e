#pragma once

// A key as the numeric keypad and the main keyboard deliver it with Num Lock
// on. The keypad's decimal key is Dot, also where it gives a comma (some
// locales) or Delete (Num Lock off).
enum class PadKey { Digit, Slash, Star, Minus, Plus, Enter, Dot, Space, Backspace, Other };

struct PadKeyPress {
    PadKey key = PadKey::Other;
    int digit = 0; // for PadKey::Digit
};
