// Answer entry through the practice flow: the keys of the three boxes, the
// judging of answers, the wrong-answer counters, F1 and the end of a run.
#include "tests/support/test_chars.h"
#include "tests/training/flow_fixture.h"
#include "training/training_flow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

using namespace training;

namespace {

AnswerKey digit(int d, bool keypad = true) {
    return {PadKey::Digit, d, keypad, false, QString::number(d)};
}
AnswerKey key(PadKey k, const char* text, bool keypad = true) {
    return {k, 0, keypad, false, QString::fromLatin1(text)};
}
const AnswerKey kEnter{PadKey::Enter, 0, true, false, QStringLiteral("\r")};
const AnswerKey kSpace{PadKey::Space, 0, false, false, QStringLiteral(" ")};
const AnswerKey kSlash = key(PadKey::Slash, "/");
const AnswerKey kStar = key(PadKey::Star, "*");
const AnswerKey kMinus = key(PadKey::Minus, "-");
const AnswerKey kDot = key(PadKey::Dot, ".");
const AnswerKey kBackspace{PadKey::Backspace, 0, false, false, QStringLiteral("\b")};
const AnswerKey kF1{PadKey::Other, 0, false, true, QString()};

class Answers : public FlowTest {
protected:
    void SetUp() override {
        FlowTest::SetUp();
        QDir(dir.path()).mkpath("statement");
        host.sound = true;
        // Record i of every file has the code 100 + i; each run draws them in order.
        for (int i = 0; i < 200; ++i)
            draw->script.push_back(i);
        std::string chars, words, multi;
        for (int i = 0; i < 130; ++i) {
            const std::string code = std::to_string(100 + i);
            const std::string field = code + std::string(6 - code.size(), ' ');
            chars += field + gbkTestChar(i % 90) + "\r\n";
            words += field + gbkTestChar(i % 90) + gbkTestChar((i + 1) % 90) + "\r\n";
            multi += field + gbkTestChar(i % 90) + gbkTestChar(1) + gbkTestChar(2) +
                     gbkTestChar(3) + gbkTestChar(4) + "      \r\n";
        }
        write("hzlib/z1.txt", chars);
        write("hzlib/c2.txt", words);
        write("hzlib/c5.txt", multi);
        for (int d : {1, 2, 3})
            write(QStringLiteral("exercise/bixing/shape%1.bmp").arg(d), "BM");
    }
    void start(ExerciseKind kind) {
        flow.choosePage(pageOf(kind));
        flow.chooseExercise(kind);
        flow.start();
        host.cues.clear();
    }
    void press(Box b, const AnswerKey& k) { flow.boxKeyPress(b, k); }
    void type(Box b, const QString& digits) {
        for (QChar c : digits)
            press(b, digit(c.digitValue()));
    }
    // Types the code of the current item and Enter.
    void answer(Box b) {
        const QString code = b == Box::Picture     ? flow.grids.pictures[flow.currentIndex].code
                             : b == Box::Character ? flow.grids.characters[flow.currentIndex].code
                                                   : flow.grids.words[flow.currentIndex].code;
        type(b, code);
        press(b, kEnter);
    }
    QString text(Box b) const { return flow.box(b).text; }
};

TEST_F(Answers, F1ShowsTheCodeAndTheNextKeyDecidesWhatStays) {
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    // F1 then Enter: the code shown is a right answer, and the item is remembered.
    press(c, kF1);
    EXPECT_EQ(text(c), "100");
    EXPECT_EQ(flow.review.CharReview[0].code, "100");
    EXPECT_EQ(flow.review.CharReview[0].text, gbkTestChar(0));
    press(c, kEnter);
    EXPECT_EQ(flow.itemsLeft, 118);
    EXPECT_EQ(flow.currentIndex, 1);
    EXPECT_EQ(text(c), "");
    EXPECT_EQ(flow.grids.characters[0].look, ItemLook::Answered);
    EXPECT_EQ(flow.grids.characters[1].look, ItemLook::Current);
    EXPECT_EQ(flow.box(c).pos, QPoint(8 + 37, 44));

    // F1 then a digit: only that digit.
    press(c, kF1);
    press(c, digit(7));
    EXPECT_EQ(text(c), "7");
    // F1 then keypad "-": the shown code less its last digit; "." as the key
    // after the hint empties the box instead.
    press(c, kF1);
    EXPECT_EQ(text(c), "101");
    press(c, kMinus);
    EXPECT_EQ(text(c), "10");
    press(c, kF1);
    press(c, kDot);
    EXPECT_EQ(text(c), "");
    // The main row's "-" is no delete key: after F1 it empties the box.
    press(c, kF1);
    press(c, key(PadKey::Minus, "-", false));
    EXPECT_EQ(text(c), "");
    // A digit of the main row after F1 counts as a digit too.
    press(c, kF1);
    press(c, digit(4, false));
    EXPECT_EQ(text(c), "4");

    // Pressing F1 again and again on one item writes one slot.
    EXPECT_EQ(flow.review.ReviewCursor, 2);
    EXPECT_EQ(flow.review.CharReview[1].code, "101");
    EXPECT_TRUE(flow.review.CharReview[2].empty());
    EXPECT_EQ(flow.characterWrongCount, 0) << "nothing was submitted";
}

TEST_F(Answers, SevenDigitsAreJudgedAgainAtEveryKey) {
    flow.hintAfter = 999;
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    type(c, "1234567");
    EXPECT_EQ(text(c), "1234567");
    EXPECT_EQ(flow.characterWrongCount, 0) << "the seventh digit only fills the box";
    press(c, digit(8)); // judged, and the 8 does not go in
    EXPECT_EQ(text(c), "1234567");
    EXPECT_EQ(flow.characterWrongCount, 1);
    press(c, kSpace); // judged again; the space does not go in either
    EXPECT_EQ(text(c), "1234567");
    EXPECT_EQ(flow.characterWrongCount, 2);
    EXPECT_EQ(flow.messages[0], QStringLiteral("再想想！"));
    press(c, kF1); // judged before F1 is served; the pending empty text wins
    EXPECT_EQ(flow.characterWrongCount, 3);
    EXPECT_EQ(text(c), "");
    type(c, "1234567");
    // Keypad "-" removes a digit before the full-box test: not judged.
    press(c, kMinus);
    EXPECT_EQ(text(c), "123456");
    EXPECT_EQ(flow.characterWrongCount, 3);
    press(c, digit(9));
    press(c, kDot);
    EXPECT_EQ(text(c), "123456");
    EXPECT_EQ(flow.characterWrongCount, 3);
    // Backspace on a full box: judged once more, then the box is empty.
    press(c, digit(9));
    press(c, kBackspace);
    EXPECT_EQ(flow.characterWrongCount, 4);
    EXPECT_EQ(text(c), "");
    EXPECT_EQ(flow.itemsLeft, 119);
    EXPECT_EQ(flow.currentIndex, 0);
}

TEST_F(Answers, SpaceAndSlashEmptyAWrongAnswerEnterKeepsItSelected) {
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    type(c, "12");
    press(c, kEnter);
    EXPECT_EQ(text(c), "12");
    EXPECT_TRUE(flow.boxes[1].selected) << "kept, and shown selected";
    EXPECT_EQ(flow.characterWrongCount, 1);
    press(c, key(PadKey::Other, "")); // Num Lock or Shift: it stays selected
    EXPECT_TRUE(flow.boxes[1].selected);
    EXPECT_EQ(flow.characterWrongCount, 1);
    type(c, "3"); // the next try starts afresh
    EXPECT_EQ(text(c), "3");
    EXPECT_FALSE(flow.boxes[1].selected);
    press(c, kEnter);
    press(c, kDot); // "." still edits the kept answer
    EXPECT_EQ(text(c), "");
    type(c, "12");
    press(c, kEnter);
    press(c, kMinus);
    type(c, "3");
    EXPECT_EQ(text(c), "13") << "after an edit the digits go on";
    press(c, kSpace);
    EXPECT_EQ(text(c), "");
    type(c, "45");
    press(c, kSlash);
    EXPECT_EQ(text(c), "");
    EXPECT_EQ(flow.characterWrongCount, 1)
        << "HintAfter 2 with the automatic hint started again at 2";
    // Not submit keys in the character box: the main row's "/", keypad "*",
    // letters; what they type never stays.
    type(c, "45");
    press(c, key(PadKey::Slash, "/", false));
    press(c, kStar);
    press(c, key(PadKey::Other, "a", false));
    press(c, key(PadKey::Plus, "+"));
    EXPECT_EQ(text(c), "45");
    EXPECT_EQ(flow.characterWrongCount, 1);
    // A right answer with Space: the space goes nowhere.
    press(c, kDot);
    press(c, kDot);
    host.cues.clear();
    type(c, "100");
    press(c, kSpace);
    EXPECT_EQ(flow.currentIndex, 1);
    EXPECT_EQ(text(c), "");
    EXPECT_TRUE(host.cues.empty()) << "a right character answer is silent";
}

TEST_F(Answers, WrongCountsWithAndWithoutTheAutomaticHint) {
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    // HintAfter 5: messages at the 2nd and 4th wrong answer, a fresh count after the 5th.
    flow.hintAfter = 5;
    std::vector<int> cueAt;
    for (int n = 1; n <= 7; ++n) {
        host.cues.clear();
        flow.setMessages("", "", "", "");
        press(c, kEnter);
        if (flow.messages[0] == QStringLiteral("再想想！")) {
            cueAt.push_back(n);
            EXPECT_EQ(host.cues, std::vector<Cue>{Cue::ThinkAgain});
            EXPECT_EQ(flow.messages[1], QStringLiteral("加油啊！"));
        }
    }
    EXPECT_EQ(cueAt, (std::vector<int>{2, 4, 7}));
    EXPECT_EQ(flow.characterWrongCount, 2);
    // The count carries over a right answer and a new run.
    answer(c);
    EXPECT_EQ(flow.characterWrongCount, 2);
    flow.start();
    EXPECT_EQ(flow.characterWrongCount, 2);
    press(c, kEnter);
    press(c, kEnter);
    EXPECT_EQ(flow.characterWrongCount, 4);
    EXPECT_EQ(flow.messages[0], QStringLiteral("再想想！"));

    // Without the automatic hint: every second wrong answer, and the code never shows.
    host.autoHint = false;
    flow.characterWrongCount = 0;
    int messages = 0;
    for (int n = 1; n <= 6; ++n) {
        flow.setMessages("", "", "", "");
        press(c, kEnter);
        messages += flow.messages[0] == QStringLiteral("再想想！");
        EXPECT_EQ(text(c), "");
    }
    EXPECT_EQ(messages, 3);
    // Also with a hint count of 1 (the settings take it): the count never
    // starts over at 1 as it does with the automatic hint.
    flow.hintAfter = 1;
    messages = 0;
    for (int n = 1; n <= 4; ++n) {
        flow.setMessages("", "", "", "");
        press(c, kEnter);
        messages += flow.messages[0] == QStringLiteral("再想想！");
    }
    EXPECT_EQ(messages, 2);

    // Switched off while a count stands (3 of HintAfter 5): the count goes on
    // from 3, and its message at 4 starts it over.
    host.autoHint = true;
    flow.hintAfter = 5;
    flow.characterWrongCount = 0;
    for (int n = 0; n < 3; ++n)
        press(c, kEnter);
    ASSERT_EQ(flow.characterWrongCount, 3);
    host.autoHint = false;
    flow.setMessages("", "", "", "");
    press(c, kEnter);
    EXPECT_EQ(flow.messages[0], QStringLiteral("再想想！"));
    EXPECT_EQ(flow.characterWrongCount, 0);
    press(c, kEnter);
    EXPECT_EQ(flow.characterWrongCount, 1);

    // The word box counts on its own, without a sound.
    start(ExerciseKind::TwoCharacterWords);
    host.autoHint = true;
    flow.hintAfter = 2;
    press(Box::Word, kEnter);
    press(Box::Word, kEnter);
    EXPECT_EQ(flow.messages[0], QStringLiteral("再想想！"));
    EXPECT_TRUE(host.cues.empty());
    EXPECT_EQ(flow.wordWrongCount, 0);
}

// A new run keeps nothing of the last: the coach counts the new run's
// wrong answers from none (the first is not explained at once), the note on
// the last wrong code goes with another exercise or a new start, and the
// mascot rides its bike again.
TEST_F(Answers, ANewRunKeepsNothingOfTheLast) {
    const Box c = Box::Character;
    for (const bool byButton : {false, true}) {
        SCOPED_TRACE(byButton ? "another exercise" : "a new start");
        start(ExerciseKind::FullCodeCharacters);
        draw->script.clear(); // every run draws the file's records in order
        type(c, "7");
        press(c, kEnter);
        type(c, "7");
        press(c, kEnter);
        ASSERT_FALSE(flow.coachNote.lines.isEmpty()) << "the second wrong code is explained";
        flow.vehicle = Vehicle::Plane;
        if (byButton) {
            flow.chooseExercise(ExerciseKind::HarderCharacters);
            EXPECT_TRUE(flow.coachNote.lines.isEmpty());
            flow.chooseExercise(ExerciseKind::FullCodeCharacters);
        }
        flow.start();
        EXPECT_TRUE(flow.coachNote.lines.isEmpty());
        EXPECT_EQ(flow.vehicle, Vehicle::Bike);
        type(c, "7");
        press(c, kEnter);
        EXPECT_TRUE(flow.coachNote.lines.isEmpty()) << "a first wrong code of the new run";
    }
}

TEST_F(Answers, PictureHintsAfterHintAfterWrongAnswers) {
    start(ExerciseKind::BasicStrokes);
    const Box p = Box::Picture;
    const QString code = flow.grids.pictures[0].code;
    // HintAfter 2: the second wrong answer cheers and shows the code.
    type(p, "9");
    press(p, kEnter);
    EXPECT_EQ(text(p), "");
    EXPECT_EQ(flow.pictureWrongCount, 1);
    type(p, "9");
    press(p, kSpace);
    EXPECT_EQ(flow.messages[0], QStringLiteral("再想想"));
    EXPECT_EQ(text(p), code);
    EXPECT_EQ(flow.pictureWrongCount, 0);
    press(p, kEnter); // the code shown is a right answer
    EXPECT_EQ(flow.itemsLeft, 59);
    EXPECT_EQ(flow.messages[0], QStringLiteral("Tarvo编码"));
    EXPECT_EQ(flow.box(p).pos, QPoint(15 + 60, 62));

    // HintAfter 5: "再想想" at the 2nd to 5th wrong answer, the code at the 5th.
    flow.hintAfter = 5;
    QStringList seen;
    for (int n = 1; n <= 5; ++n) {
        flow.setMessages("", "", "", "");
        type(p, "9");
        press(p, kSlash);
        seen << flow.messages[0] + "|" + text(p);
    }
    EXPECT_EQ(seen, QStringList({"|", "再想想|", "再想想|", "再想想|",
                                 "再想想|" + flow.grids.pictures[1].code}));
    // The code shown is selected: typing it from the picture replaces it.
    EXPECT_TRUE(flow.box(p).selected);
    type(p, flow.grids.pictures[1].code);
    EXPECT_EQ(text(p), flow.grids.pictures[1].code);
    press(p, kEnter);
    EXPECT_EQ(flow.itemsLeft, 58);

    // Without the automatic hint: a cheer every second wrong answer, never the code.
    host.autoHint = false;
    press(p, kDot);
    for (int n = 1; n <= 4; ++n) {
        flow.setMessages("", "", "", "");
        press(p, kEnter);
        EXPECT_EQ(flow.messages[0], n % 2 == 0 ? QStringLiteral("再想想") : QString());
        EXPECT_EQ(text(p), "");
    }
}

TEST_F(Answers, APictureRunEndsAtItsLastPictureAlsoAfterTimeUp) {
    start(ExerciseKind::BasicStrokes);
    const Box p = Box::Picture;
    for (int i = 0; i < 10; ++i)
        answer(p);
    EXPECT_EQ(flow.box(p).pos, QPoint(15, 62 + 72)) << "the next row";
    while (flow.clocks.gauge)
        flow.tickGauge();
    EXPECT_TRUE(shows(RunState::TimeUp));
    EXPECT_TRUE(flow.box(p).enabled) << "the picture box stays usable at time-up";
    for (int i = 10; i < 59; ++i)
        answer(p);
    host.isRecord = true;
    host.cues.clear();
    answer(p);
    const QString finalSpeed = flow.speedText;
    EXPECT_GT(finalSpeed.toInt(), 0) << "the final speed shows at once";
    EXPECT_EQ(flow.itemsLeft, 0);
    EXPECT_TRUE(flow.finalSpeedDue);
    EXPECT_FALSE(flow.speedCounting);
    EXPECT_FALSE(flow.box(p).enabled);
    EXPECT_TRUE(shows(RunState::TimeUp)) << "Start still goes on from the full gauge";
    EXPECT_EQ(flow.messages[0], QStringLiteral(" 太棒了！"));
    EXPECT_EQ(host.cues, (std::vector<Cue>{Cue::Finished, Cue::Record}));
    EXPECT_EQ(host.judged, QStringList{"0:" + finalSpeed}) << "judged with the speed shown";
    EXPECT_EQ(host.calls.last(), "name 0 " + finalSpeed);
    EXPECT_EQ(flow.grids.pictures[59].look, ItemLook::Answered);
    flow.tickSpeedClock();
    EXPECT_FALSE(flow.finalSpeedDue);
    EXPECT_EQ(flow.speedText, finalSpeed) << "the clock's next tick shows the same";
}

TEST_F(Answers, ACharacterRunMovesAlongTheRowsAndEndsWithItsLastItemRed) {
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    for (int i = 0; i < 15; ++i)
        answer(c);
    EXPECT_EQ(flow.box(c).pos, QPoint(8 + 15 * 37, 44));
    answer(c); // the 17th item of the row: the box stays a cell to the left
    EXPECT_EQ(flow.box(c).pos, QPoint(8 + 15 * 37, 44));
    EXPECT_EQ(flow.currentIndex, 16);
    answer(c);
    EXPECT_EQ(flow.box(c).pos, QPoint(8, 44 + 63));
    EXPECT_EQ(flow.boxColumn, 0);
    for (int i = 17; i < 118; ++i)
        answer(c);
    EXPECT_EQ(flow.itemsLeft, 1);
    flow.speedText = "31";
    host.cues.clear();
    answer(c);
    EXPECT_EQ(flow.itemsLeft, 1) << "the last answer leaves one item counted";
    EXPECT_EQ(flow.grids.characters[118].look, ItemLook::Current);
    EXPECT_FALSE(flow.box(c).enabled);
    EXPECT_EQ(flow.messages[1], QStringLiteral("想继续训练吗？"));
    EXPECT_TRUE(flow.buttons.startEnabled);
    EXPECT_FALSE(flow.buttons.pauseEnabled);
    EXPECT_FALSE(flow.clocks.gauge);
    EXPECT_TRUE(flow.clocks.speed) << "the speed clock goes on";
    EXPECT_EQ(host.judged, QStringList{"3:31"});
    EXPECT_EQ(host.cues, std::vector<Cue>{Cue::Finished}) << "no record: the end-of-exercise sound";
    press(c, digit(1));
    EXPECT_EQ(flow.characterWrongCount, 0) << "a disabled box takes no keys";
}

TEST_F(Answers, WordRowsOfFiveAndTheWordBoxF1) {
    start(ExerciseKind::TwoCharacterWords);
    const Box w = Box::Word;
    for (int i = 0; i < 4; ++i)
        answer(w);
    EXPECT_EQ(flow.box(w).pos, QPoint(2 + 4 * 126, 34));
    // F1 then Enter in the word box; the slot holds the word's text and code.
    press(w, kF1);
    EXPECT_EQ(text(w), "104");
    press(w, kEnter);
    EXPECT_EQ(flow.box(w).pos, QPoint(2, 34 + 49));
    EXPECT_EQ(flow.currentIndex, 5);
    EXPECT_EQ(flow.review.WordReview[0].text, gbkTestChar(4) + gbkTestChar(5));
    EXPECT_EQ(flow.review.WordReview[0].code, "104");
    // The word box keeps "编码图解" as it is: only the other boxes hide it.
    flow.buttons.diagramShown = true;
    press(w, digit(1));
    EXPECT_TRUE(flow.buttons.diagramShown);
    // A wrong answer with the keypad "*" empties the box as Space does.
    press(w, kStar);
    EXPECT_EQ(text(w), "");
    EXPECT_EQ(flow.wordWrongCount, 1);
}

TEST_F(Answers, MultiCharacterWordsAndTheStarKey) {
    start(ExerciseKind::LongWords);
    const Box w = Box::Word;
    EXPECT_EQ(flow.grids.words[0].code, "100");
    type(w, "100");
    press(w, kStar);
    EXPECT_EQ(flow.currentIndex, 3);
    EXPECT_EQ(flow.box(w).pos, QPoint(2 + 378, 34));
    answer(w);
    EXPECT_EQ(flow.currentIndex, 5);
    EXPECT_EQ(flow.box(w).pos, QPoint(2, 34 + 49));
    // F1 remembers the word in its multi-character slot.
    press(w, kF1);
    EXPECT_EQ(flow.review.WordReview[0].code, flow.grids.words[5].code.toStdString());
    press(w, kF1);
    EXPECT_EQ(flow.review.ReviewCursor, 3);
    press(w, kEnter);
    for (int i = 3; i < 17; ++i)
        answer(w);
    EXPECT_EQ(flow.currentIndex, 43);
    answer(w);
    EXPECT_FALSE(flow.box(w).enabled);
    EXPECT_EQ(flow.itemsLeft, 1);
    EXPECT_EQ(host.judged, QStringList{"11:"});
}

TEST_F(Answers, TheCodeDiagramOfTheCharacterLookedUp) {
    start(ExerciseKind::FullCodeCharacters);
    const Box c = Box::Character;
    press(c, kF1);
    EXPECT_FALSE(flow.buttons.diagramShown) << "no diagram file for this character";
    answer(c);
    write(QStringLiteral("statement/") + QString::fromUtf8("阿") + ".bmp", "BM");
    press(c, kF1);
    EXPECT_EQ(flow.diagramCharacter, gbkTestChar(1));
    EXPECT_TRUE(flow.buttons.diagramShown);
    press(c, kMinus); // any key in the box hides the button
    EXPECT_FALSE(flow.buttons.diagramShown);
    press(c, kF1);
    flow.openDiagram();
    EXPECT_EQ(host.calls.last(), QStringLiteral("diagram ~/statement/阿.bmp"));
    EXPECT_FALSE(host.clocksDuringDiagram);
    EXPECT_TRUE(flow.clocks.gauge && flow.clocks.speed) << "a run under way gets its clocks back";
    EXPECT_FALSE(flow.buttons.diagramShown);
    EXPECT_EQ(flow.focusBox, static_cast<int>(Box::Character));
    // Closed by the title bar's close box, the button stays.
    press(c, kF1);
    host.diagramClosedByButton = false;
    flow.openDiagram();
    EXPECT_TRUE(flow.buttons.diagramShown);
}

} // namespace

namespace {

// Writes down what the flow tells an observer, one line per call.
struct NotedRun : RunObserver {
    void runStarted(int kind, int level) override {
        calls << QStringLiteral("start %1 %2").arg(kind).arg(level);
    }
    void itemShown(const QString& text, const QString& code) override {
        calls << QStringLiteral("item %1 %2").arg(text, code);
    }
    void answerTyped(const QString& code) override { calls << QStringLiteral("typed ") + code; }
    void lookedUp() override { calls << QStringLiteral("F1"); }
    void itemDone(bool right) override { calls << (right ? "right" : "wrong"); }
    void runEnded(int speed, bool finished) override {
        calls << QStringLiteral("end %1 %2").arg(speed).arg(finished ? "finished" : "left");
    }
    QStringList calls;
};

} // namespace

TEST_F(Answers, EveryStepOfARunIsToldToItsObserverAndALeftRunEndsOnce) {
    NotedRun noted;
    flow.setRunObserver(&noted);
    flow.levelStep = 2;
    start(ExerciseKind::FullCodeCharacters);
    const QString first = QStringLiteral("啊");
    ASSERT_EQ(noted.calls, (QStringList{"start 3 2", "item " + first + " 100"}));
    noted.calls.clear();
    type(Box::Character, "99");
    press(Box::Character, kEnter);
    press(Box::Character, kF1);
    press(Box::Character, kEnter);
    EXPECT_EQ(noted.calls,
              (QStringList{"typed 99", "F1", "typed 100", "right", QStringLiteral("item 阿 101")}));

    // The last item ends the run as finished, before the record check.
    for (int i = 1; i < 118; ++i)
        answer(Box::Character);
    flow.speedText = "31";
    noted.calls.clear();
    answer(Box::Character);
    EXPECT_EQ(noted.calls.mid(noted.calls.size() - 2), (QStringList{"right", "end 31 finished"}));
    EXPECT_TRUE(noted.calls.filter(QStringLiteral("item ")).isEmpty()) << "no item after the last";

    // Choosing another exercise afterwards leaves no run: nothing more is said.
    noted.calls.clear();
    flow.chooseExercise(ExerciseKind::FullCodeCharacters);
    EXPECT_TRUE(noted.calls.isEmpty());

    // A run left by another exercise, then by closing: it ends once, unfinished.
    flow.start();
    flow.speedText = "12";
    noted.calls.clear();
    flow.chooseExercise(ExerciseKind::OneKeyCharacters);
    flow.closed();
    EXPECT_EQ(noted.calls, QStringList{"end 12 left"});
}

TEST_F(Answers, APictureRunEndsWithTheSpeedItsClockWillShow) {
    NotedRun noted;
    flow.setRunObserver(&noted);
    start(ExerciseKind::BasicStrokes);
    for (int s = 0; s < 30; ++s)
        flow.tickSpeedClock();
    for (int i = 0; i < 60; ++i)
        answer(Box::Picture);
    ASSERT_FALSE(noted.calls.isEmpty());
    const QString end = noted.calls.last();
    flow.tickSpeedClock();
    EXPECT_EQ(end, QStringLiteral("end %1 finished").arg(flow.speedText)) << "60 pictures in 30 s";
    EXPECT_EQ(noted.calls.count(QStringLiteral("right")), 60);
    EXPECT_EQ(noted.calls.filter(QStringLiteral("item ")).size(), 60);
}

namespace {

// Once a run is answered to its end, on every page, the speed shown stops
// there: the record is judged with it, the history keeps it, later ticks of
// the clock leave it, and the run can no longer be paused (or go on). A run
// left with 退出 keeps the speed the window showed.
TEST_F(Answers, AFinishedRunKeepsTheSpeedItShowsAndCannotBePaused) {
    for (ExerciseKind kind : {ExerciseKind::BasicStrokes, ExerciseKind::FullCodeCharacters,
                              ExerciseKind::TwoCharacterWords}) {
        SCOPED_TRACE(numberOf(kind));
        NotedRun noted;
        flow.setRunObserver(&noted);
        start(kind);
        const Box b = pageOf(kind) == Page::Basic        ? Box::Picture
                      : pageOf(kind) == Page::Characters ? Box::Character
                                                         : Box::Word;
        for (int s = 0; s < 30; ++s)
            flow.tickSpeedClock();
        for (int i = 0; i < 200 && flow.box(b).enabled; ++i)
            answer(b);
        ASSERT_FALSE(flow.box(b).enabled) << "the run ended";
        const QString shown = flow.speedText;
        ASSERT_FALSE(shown.isEmpty());
        EXPECT_EQ(host.judged.last(), QStringLiteral("%1:%2").arg(numberOf(kind)).arg(shown));
        EXPECT_EQ(noted.calls.last(), QStringLiteral("end %1 finished").arg(shown));
        for (int s = 0; s < 25; ++s)
            flow.tickSpeedClock();
        EXPECT_EQ(flow.speedText, shown) << "the speed stays where the run ended";
        EXPECT_FALSE(flow.buttons.pauseEnabled);
        host.calls.clear();
        flow.pause();
        EXPECT_FALSE(host.calls.contains(QStringLiteral("pause")));
        EXPECT_FALSE(flow.clocks.gauge) << "no gauge for a run with nothing left";
    }

    NotedRun noted;
    flow.setRunObserver(&noted);
    start(ExerciseKind::FullCodeCharacters);
    for (int s = 0; s < 10; ++s)
        flow.tickSpeedClock();
    answer(Box::Character);
    for (int s = 0; s < 10; ++s)
        flow.tickSpeedClock();
    const QString shown = flow.speedText;
    ASSERT_NE(shown.toInt(), 0);
    host.quitAnswer = true;
    flow.quit();
    EXPECT_EQ(noted.calls.last(), QStringLiteral("end %1 left").arg(shown));
}

} // namespace

namespace {

// A run after one left mid-row, or after one answered to its end, starts at
// its first cell: the box at the first place, its column counted from 0, no
// item left looking answered.
// However the run before ended, the next one starts at its first cell with
// nothing answered, and its first row is as long as any other.
TEST_F(Answers, EachRunAfterAnotherStartsAtItsFirstCell) {
    struct Row {
        ExerciseKind kind;
        ExerciseKind other; // another exercise of the page
        Box box;
        int perRow;   // items in a row
        QPoint start; // the box at the first item
        int rowStep;  // the box's step to the next row
    };
    const Row rows[] = {{ExerciseKind::BasicStrokes, ExerciseKind::HarderStrokes, Box::Picture, 10,
                         QPoint(15, 62), 72},
                        {ExerciseKind::FullCodeCharacters, ExerciseKind::HarderCharacters,
                         Box::Character, 17, QPoint(8, 44), 63},
                        {ExerciseKind::TwoCharacterWords, ExerciseKind::ThreeCharacterWords,
                         Box::Word, 5, QPoint(2, 34), 49}};
    enum class Ended { Finished, FinishedStartAgain, TimeUp, OtherExercise, OtherPage, Closed };
    const std::pair<Ended, const char*> ways[] = {
        {Ended::Finished, "answered to its end, chosen again"},
        {Ended::FinishedStartAgain, "answered to its end, Start again"},
        {Ended::TimeUp, "time up, chosen again"},
        {Ended::OtherExercise, "left mid-row for another exercise"},
        {Ended::OtherPage, "left mid-row for another page"},
        {Ended::Closed, "window closed mid-row"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(numberOf(r.kind));
        const Page otherPage = pageOf(r.kind) == Page::Basic ? Page::Words : Page::Basic;
        for (const auto& [how, name] : ways) {
            SCOPED_TRACE(name);
            start(r.kind);
            for (int i = 0; i < 3; ++i)
                answer(r.box);
            switch (how) {
            case Ended::Finished:
            case Ended::FinishedStartAgain:
                for (int i = 0; i < 200 && flow.box(r.box).enabled; ++i)
                    answer(r.box);
                ASSERT_FALSE(flow.box(r.box).enabled) << "the run did not end";
                if (how == Ended::Finished)
                    flow.chooseExercise(r.kind);
                break;
            case Ended::TimeUp:
                for (int i = 0; i < 1000 && flow.clocks.gauge; ++i)
                    flow.tickGauge();
                ASSERT_TRUE(shows(RunState::TimeUp));
                flow.chooseExercise(r.kind);
                break;
            case Ended::OtherExercise:
                flow.chooseExercise(r.other);
                flow.chooseExercise(r.kind);
                break;
            case Ended::OtherPage:
                flow.choosePage(otherPage);
                flow.choosePage(pageOf(r.kind));
                flow.chooseExercise(r.kind);
                break;
            case Ended::Closed:
                flow.closed();
                flow.opened();
                flow.choosePage(pageOf(r.kind));
                flow.chooseExercise(r.kind);
                break;
            }
            flow.start();
            ASSERT_TRUE(shows(RunState::Running));
            EXPECT_EQ(flow.box(r.box).pos, r.start);
            EXPECT_EQ(flow.currentIndex, 0);
            EXPECT_EQ(flow.itemsLeft, flow.itemsTotal);
            const std::span<const GridItem> grid =
                r.box == Box::Picture     ? std::span<const GridItem>(flow.grids.pictures)
                : r.box == Box::Character ? std::span<const GridItem>(flow.grids.characters)
                                          : std::span<const GridItem>(flow.grids.words);
            if (r.box != Box::Picture) { // a picture is not lit as the current one
                EXPECT_EQ(grid[0].look, ItemLook::Current);
            }
            EXPECT_EQ(std::count_if(grid.begin(), grid.end(),
                                    [](const GridItem& g) { return g.look == ItemLook::Answered; }),
                      0);
            for (int i = 0; i < r.perRow; ++i)
                answer(r.box);
            EXPECT_EQ(flow.box(r.box).pos, QPoint(r.start.x(), r.start.y() + r.rowStep))
                << "the row ends after " << r.perRow << " items";
        }
    }
}

} // namespace
