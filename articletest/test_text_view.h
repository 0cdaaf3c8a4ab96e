#pragma once

#include "colour.h"

#include <QTextEdit>

#include <set>

class TestText;

// Draws a test text in a rich-text area: article lines in the untyped,
// typed and wrong (red) colours, input lines in the input colour, the current
// character selected. Every line is 32 pixels high, so a page of six line
// pairs is 384 pixels.
class TestTextView {
public:
    static constexpr int kLineHeight = 32;
    static constexpr int kFontPixels = 24;

    explicit TestTextView(QTextEdit* edit);

    struct Colours {
        Colour typed, untyped, input, ground;
    };
    void setColours(const Colours& c) { colours_ = c; }

    // Draws the whole text.
    void showAll(const TestText& text);
    // Draws the given lines again.
    void showLines(const TestText& text, const std::set<int>& lines);
    // Selects the character at a position of the text (none when outside).
    void selectAt(const TestText& text, int64_t pos);

private:
    void fillLine(QTextCursor& cursor, const TestText& text, int line);

    QTextEdit* edit_;
    Colours colours_{0x000000, 0x000000, 0xFF0000, 0xFFFFFF};
};
