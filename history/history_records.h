#pragma once

#include "training/exercise_kind.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// What the learning history keeps: training runs with their answered items,
// article tests with the characters typed wrong, and warm-up games.

// One item answered in a training run.
struct TrainingItemRecord {
    QString item;        // the character or word (strokes: the digit shown)
    QString code;        // its right code
    QStringList answers; // every code typed for it, in order
    bool right = false;  // answered right in the end
    double seconds = 0;  // time taken
    bool hinted = false; // the learner looked it up (F1)
};

struct TrainingRunRecord {
    qint64 id = 0; // given by the store
    int kind = 0;  // exercise kind 0-11; 12 and 13 are the two reviews
    int level = 0;
    QDateTime started;
    QDateTime ended;
    int speed = 0; // the speed shown at the end
    int answered = 0;
    int wrong = 0;
    int hints = 0;
    bool finished = false; // false: abandoned
    int courseStep = 0;    // the step of the course "学习路线" the run was, 0: none
    std::vector<TrainingItemRecord> items;
};

// A character typed wrong in an article test.
struct TestErrorRecord {
    QString expected;  // the article's character
    QString entered;   // the character the learner entered
    QString code;      // the full code of the article's character
    QString typedCode; // the code the learner typed
    // The typed code was one of the character's own codes: the slip was the
    // choice among the candidates, not the code.
    bool wrongCandidate = false;
};

struct ArticleTestRecord {
    qint64 id = 0;
    QString article;
    QDateTime ended;
    int seconds = 0;
    int typed = 0;
    int wrong = 0;
    int speed = 0;       // characters per minute
    double accuracy = 0; // percent
    std::vector<TestErrorRecord> errors;
};

struct WarmupRecord {
    QDateTime played;
    QString mode; // "classic" or "fun"
    int seconds = 0;
    int score = 0;
};

// The history keeps a run's exercise kind by its number; these name the
// numbers it sorts by. The stroke pictures come before the first
// character exercise; the reviews after the twelve exercises.
constexpr int kFirstCharacterKind = training::numberOf(training::ExerciseKind::FullCodeCharacters);
constexpr int kLastCharacterKind = training::numberOf(training::ExerciseKind::TwoKeyCharacters);
constexpr int kFirstWordKind = training::numberOf(training::ExerciseKind::TwoCharacterWords);
constexpr int kLastWordKind = training::numberOf(training::ExerciseKind::LongWords);
constexpr int kCharacterReviewKind = training::numberOf(training::ExerciseKind::CharacterReview);
constexpr int kWordReviewKind = training::numberOf(training::ExerciseKind::WordReview);
// The speed series of the article test in statistics keyed by exercise kind.
constexpr int kArticleTestKind = -1;
