#include "training/answer_boxes.h"

namespace training {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

void AnswerBoxes::setText(Box b, const QString& text) {
    InputBox& x = (*this)[b];
    if (x.text == text)
        return; // setting the same text changes nothing
    x.text = text;
    changed(b);
}

void AnswerBoxes::changed(Box b) {
    const QString& text = (*this)[b].text;
    if (!text.isEmpty() && !isAsciiDigit(text.back()))
        setText(b, text.chopped(1));
    if (pendingActive_) {
        pendingActive_ = false;
        setText(b, pendingText_);
    }
}

void AnswerBoxes::type(Box b, const AnswerKey& k) {
    InputBox& x = (*this)[b];
    if (k.key == PadKey::Backspace) {
        if (!x.text.isEmpty())
            setText(b, x.text.chopped(1));
        return;
    }
    QChar typed;
    if (k.key == PadKey::Digit)
        typed = QChar(u'0' + k.digit); // also the keypad's digits with Num Lock off
    else if (k.key != PadKey::Enter && !k.text.isEmpty() && k.text[0] >= u' ' &&
             k.text[0] != QChar(0x7f))
        typed = k.text[0];
    if (typed.isNull())
        return;
    // A character beyond the maximum length is not inserted and changes nothing.
    if (b != Box::Picture && x.text.size() >= kMaxLength)
        return;
    setText(b, x.text + typed);
}

} // namespace training
