#include "articletest/article_text_view.h"

#include "articletest/article_text.h"
#include "platform/fonts.h"
#include "platform/gbk_codec.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {
// Lines changed at once beyond which the whole view is repainted (only its
// exposed part is drawn anyway).
constexpr size_t kManyLines = 64;
const QColor kSelection(0, 120, 215);
} // namespace

TestTextView::TestTextView(QWidget* parent) : QWidget(parent) {
    setFont(fonts::song(kFontPixels));
    cellWidth_ = std::max(1, QFontMetrics(font()).horizontalAdvance(QChar(0x4E2D)));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TestTextView::setColours(const Colours& c) {
    colours_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, toQColor(c.ground));
    pal.setColor(QPalette::Window, toQColor(c.ground));
    pal.setColor(QPalette::Text, toQColor(c.untyped));
    setPalette(pal);
    update();
}

void TestTextView::showAll(const TestText& text) {
    text_ = &text;
    update();
}

void TestTextView::showLines(const TestText& text, const std::set<int>& lines) {
    text_ = &text;
    if (lines.size() > kManyLines) {
        update();
        return;
    }
    for (int line : lines)
        updateLine(line);
}

void TestTextView::selectAt(const TestText& text, int64_t pos) {
    text_ = &text;
    int line = -1, col = 0;
    if (!text.locate(pos, line, col))
        line = -1;
    const int index = line >= 0 ? col / 2 : -1;
    if (line == selectedLine_ && index == selectedIndex_)
        return;
    updateLine(selectedLine_);
    selectedLine_ = line;
    selectedIndex_ = index;
    updateLine(selectedLine_);
}

QRect TestTextView::cellRect(int line, int index) const {
    return QRect(index * cellWidth_, line * kLineHeight, cellWidth_, kLineHeight);
}

void TestTextView::updateLine(int line) {
    if (line >= 0)
        update(0, line * kLineHeight, width(), kLineHeight);
}

QColor TestTextView::colourOf(int line, int index) const {
    if (line % 2 == 1)
        return toQColor(colours_.input);
    if (!text_)
        return toQColor(colours_.untyped);
    switch (text_->mark(line, index)) {
    case TestText::Mark::Wrong:
        return QColor(255, 0, 0);
    case TestText::Mark::Typed:
        return toQColor(colours_.typed);
    case TestText::Mark::WordMagenta:
        return QColor(255, 0, 255);
    case TestText::Mark::WordBlue:
        return QColor(0, 0, 255);
    default:
        return toQColor(colours_.untyped);
    }
}

void TestTextView::paintLine(QPainter& p, int line) const {
    const std::string& bytes = text_->line(line);
    const int top = line * kLineHeight;
    const QFontMetrics fm(font());
    const int baseline = top + (kLineHeight + fm.ascent() - fm.descent()) / 2;
    const int half = cellWidth_ / 2;
    // Each double-byte character takes a cell, each single byte half of one;
    // runs of one colour are drawn at once from their first cell.
    size_t i = 0;
    while (i < bytes.size()) {
        const bool wide = static_cast<unsigned char>(bytes[i]) >= 0x80 && i + 1 < bytes.size();
        const int index = static_cast<int>(i / 2);
        const bool selected = wide && line == selectedLine_ && index == selectedIndex_;
        const QColor colour = colourOf(line, index);
        size_t end = i + (wide ? 2 : 1);
        if (wide && !selected) {
            while (end + 1 < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x80 &&
                   !(line == selectedLine_ && static_cast<int>(end / 2) == selectedIndex_) &&
                   colourOf(line, static_cast<int>(end / 2)) == colour)
                end += 2;
        }
        const int x = static_cast<int>(i) * half;
        if (selected) {
            p.fillRect(QRect(x, top, cellWidth_, kLineHeight), kSelection);
            p.setPen(Qt::white);
        } else {
            p.setPen(colour);
        }
        const std::string_view run(bytes.data() + i, end - i);
        if (run.find_first_not_of(' ') != std::string_view::npos) {
            if (wide) {
                // One cell per character, whatever the font's own advance.
                const QString chars = gbk::toUnicode(run);
                for (int k = 0; k < chars.size(); ++k)
                    p.drawText(x + k * cellWidth_, baseline, chars.mid(k, 1));
            } else {
                p.drawText(x, baseline, gbk::toUnicode(run));
            }
        }
        i = end;
    }
}

void TestTextView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect area = event->rect();
    p.fillRect(area, toQColor(colours_.ground));
    if (!text_)
        return;
    p.setFont(font());
    const int first = std::max(0, area.top() / kLineHeight);
    const int last = std::min(text_->lineCount() - 1, area.bottom() / kLineHeight);
    for (int line = first; line <= last; ++line)
        paintLine(p, line);
}
