#pragma once

#include <QDateTime>
#include <QString>

// One result as the class results service takes it: an article test, a
// training run or a warm-up game, with the key that makes a second posting
// of it harmless.
struct ClassResult {
    QString key;         // letters, digits and '-', 8 to 64 of them
    int lxid = 0;        // what it is of: 2 指法热身, 3 字词训练, 4 文章练习
    int speed = 0;       // characters per minute (a game: its score)
    double accuracy = 0; // percent
    QDateTime practised;
};

// What the service answered to one posting.
enum class PostOutcome {
    Sent,       // stored, or stored before under the same key
    Refused,    // the service will never take it (bad input): not tried again
    TryLater,   // no answer, too many postings, the service away: tried again later
    NotAMember, // the learner's key is not the class's (removed, or the class closed)
};
