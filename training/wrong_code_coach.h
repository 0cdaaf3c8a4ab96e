#pragma once

#include "coaching/corner_table.h"

#include <QString>

#include <QStringList>
#include <memory>

// When the training says why an answer is wrong, and what it says. The
// first wrong answer on an item stays a try; from the second on, each wrong
// answer is explained in the rhyme's words (coaching::explain), and the
// stroke that makes the first wrong corner is named for the drawing.
namespace training {

// What the window shows beside its message lines; no lines: nothing.
struct CoachNote {
    QStringList lines;
    QString character; // the character whose stroke is lit; empty: none
    int stroke = -1;   // that stroke, in stroke order from 0
    int corner = -1;   // the corner it makes
    bool operator==(const CoachNote&) const = default;
};

// The item being answered: its text, the code asked for, the further codes
// that are right too, and whether it is a word.
struct CoachedItem {
    int position = -1; // where the item stands in its grid
    QString text;
    QString code;
    QStringList otherCodes;
    bool word = false;
};

class WrongCodeCoach {
public:
    void setTable(std::shared_ptr<const coaching::CornerTable> table) {
        if (table)
            table_ = std::move(table);
    }
    bool hasTable() const { return !table_->isEmpty(); }

    // A wrong answer on `item`: the note to show, empty at the first wrong
    // answer on an item and when the answer is right after all.
    CoachNote wrongAnswer(const CoachedItem& item, const QString& typed);
    // The item was answered, or a run starts: the next wrong answer is a first try.
    void reset();
    // What a corner of `character` is, with its stroke to light ("看清左下角：撇打0"):
    // a drill shows the shape it is about before the first answer. Nothing
    // when the table does not know the character.
    CoachNote cornerNote(const QString& character, int corner) const;

private:
    std::shared_ptr<const coaching::CornerTable> table_ =
        std::make_shared<const coaching::CornerTable>();
    int position_ = -1;
    QString text_;
    int wrong_ = 0;
};

} // namespace training
