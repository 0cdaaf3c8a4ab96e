#include "training/wrong_code_coach.h"

#include "coaching/code_explanation.h"

namespace training {

CoachNote WrongCodeCoach::wrongAnswer(const CoachedItem& item, const QString& typed) {
    if (item.position != position_ || item.text != text_) {
        position_ = item.position;
        text_ = item.text;
        wrong_ = 0;
    }
    if (++wrong_ < 2)
        return {};
    coaching::Explanation x;
    QStringList characters{item.text};
    if (item.word) {
        characters = coaching::charactersOf(item.text);
        // Each character's main code builds the word's code; without all of
        // them the word is compared digit by digit only.
        QStringList codes;
        for (const QString& c : characters)
            if (const coaching::CornerEntry* e = table_->find(c))
                codes << e->code;
        if (codes.size() != characters.size())
            codes.clear();
        x = coaching::explain(typed,
                              coaching::WordCode{item.text, codes, item.code, item.otherCodes},
                              *table_, coaching::Entry::CodeOnly);
    } else {
        x = coaching::explain(typed, coaching::CharacterCode{item.text, item.code, item.otherCodes},
                              *table_, coaching::Entry::CodeOnly);
    }
    if (x.verdict == coaching::Verdict::Right)
        return {};
    CoachNote note;
    note.lines = x.lines;
    // The first wrong corner whose stroke is known is lit; when none is, the
    // character of the first wrong corner is drawn all the same, nothing lit.
    for (const coaching::DigitDifference& d : x.differences)
        if (d.stroke >= 0 && d.character >= 0 && d.character < characters.size()) {
            note.character = characters[d.character];
            note.stroke = d.stroke;
            note.corner = d.corner;
            return note;
        }
    for (const coaching::DigitDifference& d : x.differences)
        if (d.character >= 0 && d.character < characters.size()) {
            note.character = characters[d.character];
            note.corner = d.corner;
            break;
        }
    return note;
}

CoachNote WrongCodeCoach::cornerNote(const QString& character, int corner) const {
    const coaching::CornerEntry* e = table_->find(character);
    if (!e || corner < 0 || corner >= static_cast<int>(e->names.size()) || corner >= e->code.size())
        return {};
    const size_t c = static_cast<size_t>(corner);
    CoachNote note;
    note.lines = {QStringLiteral("看清%1：%2打%3")
                      .arg(coaching::cornerName(corner), coaching::strokeInSentence(e->names[c]),
                           e->code[corner])};
    note.character = character;
    note.stroke = e->strokes[c];
    note.corner = corner;
    return note;
}

void WrongCodeCoach::reset() {
    position_ = -1;
    text_.clear();
    wrong_ = 0;
}

} // namespace training
