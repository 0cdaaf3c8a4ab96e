#pragma once

#include "platform/pad_key.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstddef>

// The three answer boxes of the training's pages and the way their text
// changes.
//
// The boxes behave as edit boxes whose key-down handler runs before the
// typed character reaches the box, and whose change handler runs after every
// change of the text, also one made by the program, at once and nested: the
// digit filter removes a last character that is not a digit and then applies
// the pending text. The flow plays that order through these boxes, so that
// the learner sees the same outcome whatever toolkit draws the box.
namespace training {

// One answer box: the picture box, the character box or the word box.
// Positions are in the page's grid panel. The boxes keep their text: the
// window forwards every key a box gets and shows the text left here.
struct InputBox {
    QPoint pos;
    bool visible = false;
    bool enabled = true;
    QString text;
    // A wrong answer kept after Enter is shown selected: the next digit
    // starts a fresh code instead of being added to it, while "." and "-"
    // still take its last digit back.
    bool selected = false;
};
enum class Box { Picture = 0, Character = 1, Word = 2 };

// A key pressed in an answer box: the keypad or main-keyboard key, whether it
// came from the numeric keypad, F1, and the text the key types ("" for keys
// that type nothing).
struct AnswerKey {
    PadKey key = PadKey::Other;
    int digit = 0;
    bool keypad = false;
    bool f1 = false;
    QString text;
};

class AnswerBoxes {
public:
    static constexpr int kMaxLength = 7; // the character and word boxes

    InputBox& operator[](Box b) { return boxes_[static_cast<std::size_t>(b)]; }
    const InputBox& operator[](Box b) const { return boxes_[static_cast<std::size_t>(b)]; }
    InputBox& operator[](std::size_t i) { return boxes_[i]; }
    const InputBox& operator[](std::size_t i) const { return boxes_[i]; }
    auto begin() { return boxes_.begin(); }
    auto end() { return boxes_.end(); }
    static constexpr std::size_t size() { return 3; }

    // The text of a box changed by the program, with the box's change
    // handler (digit filter, pending text) run at once, as for a typed change.
    void setText(Box b, const QString& text);
    // At the box's next change its text becomes `text` instead.
    void setPending(const QString& text) {
        pendingText_ = text;
        pendingActive_ = true;
    }
    void dropPending() { pendingActive_ = false; }
    // The character `key` types into the box: Backspace takes the last
    // character back; a digit (also a keypad digit with Num Lock off) or
    // another printable character is added, to the character and word boxes
    // only up to kMaxLength characters.
    void type(Box b, const AnswerKey& key);

private:
    void changed(Box b);

    std::array<InputBox, 3> boxes_;
    QString pendingText_;
    bool pendingActive_ = false;
};

} // namespace training
