#pragma once

// A key as the numeric keypad and the main keyboard deliver it. The keypad's
// digits are digits with Num Lock on or off (off, the keypad sends its cursor
// keys, which are read back as the digits printed on them). The keypad's
// decimal key is Dot, also where it gives a comma (some locales) or Delete
// (Num Lock off).
enum class PadKey { Digit, Slash, Star, Minus, Plus, Enter, Dot, Space, Backspace, Other };

struct PadKeyPress {
    PadKey key = PadKey::Other;
    int digit = 0; // for PadKey::Digit
};
