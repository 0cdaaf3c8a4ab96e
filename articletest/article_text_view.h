#pragma once

#include "platform/colour.h"

#include <QWidget>

#include <cstdint>
#include <set>

class TestText;

// Draws a test text: article lines in the untyped, typed, wrong (red) and
// word colours, input lines in the input colour, the current character
// selected. Every line is 32 pixels high, so a page of six line pairs is 384
// pixels; every character takes one cell, and a text entered stands under its
// article character.
//
// The view reads the text when it paints and paints only the lines that are
// exposed, so the cost of a key does not grow with the article: a change
// repaints the lines it touched, and showing a new article costs no more than
// one screen of it.
class TestTextView : public QWidget {
public:
    static constexpr int kLineHeight = 32;
    static constexpr int kFontPixels = 24;

    explicit TestTextView(QWidget* parent = nullptr);

    struct Colours {
        Colour typed, untyped, input, ground;
    };
    void setColours(const Colours& c);
    const Colours& colours() const { return colours_; }

    // Shows a text; the view keeps a reference and reads it when it paints,
    // so the text must outlive the view or be replaced by the next showAll.
    void showAll(const TestText& text);
    // The given lines of the shown text changed.
    void showLines(const TestText& text, const std::set<int>& lines);
    // Selects the character at a position of the text (none when outside).
    void selectAt(const TestText& text, int64_t pos);

    // The cell of character `index` of a line, in the view's coordinates.
    QRect cellRect(int line, int index) const;
    // The colour a mark is drawn in.
    QColor colourOf(int line, int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateLine(int line);
    void paintLine(QPainter& painter, int line) const;

    const TestText* text_ = nullptr;
    Colours colours_{0x000000, 0x000000, 0xFF0000, 0xFFFFFF};
    int cellWidth_ = kFontPixels;
    int selectedLine_ = -1;
    int selectedIndex_ = -1;
};
