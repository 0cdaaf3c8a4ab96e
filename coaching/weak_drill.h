#pragma once

#include "coaching/confusion_counts.h"
#include "coaching/corner_table.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// A drill of exactly the corners a learner reads wrong.
namespace coaching {

// The characters to drill: those whose main code has `digit` at `corner`.
struct DrillTarget {
    int corner = 0; // Corner (corner_table.h), ExtraCorner included
    QChar digit;
    // When set ("撇"), only characters whose corner is that stroke: a learner
    // who reads 撇 as 竖 drills 撇, not the empty corners that are 0 too.
    QString stroke;
};

// Chooses up to `count` characters for a drill of `target`, each with its
// main code (text, code: the form the training's items take): first the
// characters the learner typed wrong at that corner where it holds that
// digit (the most often missed first, then the most recently missed), then
// the others in `byFrequency` order (the characters most frequent first, as
// the training's full-code exercise files z1.txt and z2.txt list them). Only
// characters whose main code in `table` fits the target are chosen, each
// once; fewer than `count` when fewer fit.
// The stroke a drill of `confusion` keeps to: its stroke when every slip was
// of that one and it is a stroke the corner can show (not an empty or used
// corner, not the rhyme's name of the digit); else none.
QString drillStroke(const DigitConfusion& confusion);

std::vector<std::pair<QString, QString>> chooseDrill(const DrillTarget& target, int count,
                                                     const std::vector<AnsweredItem>& answered,
                                                     const CornerTable& table,
                                                     const QStringList& byFrequency);

// A character typed wrong at a drill's corner: how often, and the order of
// the last time (higher: more recent).
struct CharacterMiss {
    QString character;
    int times = 0;
    int last = -1;
};
// The characters typed wrong at `target` among `answers`, the most often
// missed first, then the most recently missed.
std::vector<CharacterMiss> missesAt(const DrillTarget& target,
                                    const std::vector<CornerAnswer>& answers);
void rankMisses(std::vector<CharacterMiss>& misses);
// The drill of `target` from misses already found (ranked).
std::vector<std::pair<QString, QString>>
chooseDrillFromMisses(const DrillTarget& target, int count,
                      const std::vector<CharacterMiss>& misses, const CornerTable& table,
                      const QStringList& byFrequency);

} // namespace coaching
