#pragma once

#include "coaching/corner_table.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// Which corners a learner reads wrong: every code typed for a character or a
// word is compared with the right code digit by digit, each digit traced to
// the corner of the character it comes from, and the slips are counted by
// corner and digit pair ("at 左下角, 2 typed where the rhyme gives 0") and by
// stroke shape ("撇→竖").
namespace coaching {

// One answered item, as the learning history keeps it.
struct AnsweredItem {
    QString item;         // a character or a word
    QString code;         // its right code
    QStringList typed;    // every code typed for it, in order (the right one too)
    QStringList ownCodes; // further codes that enter the item: typing one is no corner slip
    int times = 1;        // how many times it was answered so (counted once, in the rates)
};

// One corner of one typed code, compared with the right code.
struct CornerAnswer {
    int order = 0;     // which typed code, over the whole list: higher is more recent
    QString character; // the character the corner belongs to
    int corner = 0;    // Corner (corner_table.h)
    QChar right;
    QChar typed;       // equal to `right` when the corner was typed right
    QString rightName; // where typed wrong: the stroke at the corner, the character's own
                       // reading, else the rhyme's; empty where typed right
    int times = 1;     // the item's `times`
};

// The corners of every code typed, oldest first. Only codes of the right
// code's length are compared (a short code or a slipped digit says nothing
// about a corner), a code that enters the item otherwise is left out (the
// slip was the candidate or the reading, not a corner), and a code typed
// again right after itself counts once. A word's digits are traced through
// its characters' main codes in `table` when the right code is the word's
// code built from them (or its beginning); items that are neither a
// character nor such a word (the stroke pictures' digits) are left out.
// The orders count on from `firstOrder`.
std::vector<CornerAnswer> cornerAnswers(const std::vector<AnsweredItem>& answered,
                                        const CornerTable& table, int firstOrder = 0);

// A digit typed for another at one corner.
struct DigitConfusion {
    int corner = 0;
    QChar right;
    QChar typed;
    // The stroke at the corner when every slip had the same one ("撇"),
    // else the rhyme's name of the right digit ("撇或左钩").
    QString rightName;
    int count = 0;
    QStringList examples; // characters, most recent first
    int last = -1;        // the order it was last seen in: higher is more recent
    // "撇（0）→竖（2）"
    QString text() const;
};

// A stroke shape read as another digit's: "撇→竖".
struct ShapeConfusion {
    QString right; // the stroke's name at the corner
    QString typed; // the rhyme's name of the typed digit
    int count = 0;
    QStringList examples;
    int last = -1;
    QString text() const { return right + QChar(0x2192) + typed; }
};

struct CornerErrorRate {
    int answers = 0; // typed codes that were compared at this corner
    int wrong = 0;   // of them, typed wrong at this corner
    double rate() const { return answers > 0 ? static_cast<double>(wrong) / answers : 0.0; }
};

struct ConfusionReport {
    // Strongest first: by count, then the most recently seen, then corner and digits.
    std::vector<DigitConfusion> digits;
    std::vector<ShapeConfusion> shapes;
    std::array<CornerErrorRate, 5> corners; // by Corner, the extra corner last
};

// Counts the confusions of `answered` (oldest first), keeping up to
// `examples` different example characters for each; their orders count on
// from `firstOrder`.
ConfusionReport countConfusions(const std::vector<AnsweredItem>& answered, const CornerTable& table,
                                int examples = 3, int firstOrder = 0);

// The counts of two reports as one, `newer` counted after all of `older`
// (as the counts kept in the history grow at each run's end): counts and
// rates add up, the examples of `newer` come first, a stroke name that
// differs between the two becomes the rhyme's name. Ranked.
ConfusionReport mergeConfusions(ConfusionReport older, const ConfusionReport& newer,
                                int examples = 3);
// Orders the confusions strongest first.
void rankConfusions(ConfusionReport& report);

} // namespace coaching
