// The practice flow: states, time gauge, speed clock, grids and review slots.
#include "platform/gbk_codec.h"
#include "platform/user_error.h"
#include "tests/support/test_chars.h"
#include "tests/support/user_error_message.h"
#include "tests/training/flow_fixture.h"
#include "training/exercise_source.h"
#include "training/history_link.h"
#include "training/training_flow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include <algorithm>
#include <cmath>

#include <sys/stat.h>

using namespace training;

namespace {

// The flow on a temporary program folder.
class Flow : public FlowTest {
protected:
    // A character file of `n` records: code "1" + i, character i.
    static std::string charFile(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            std::string code = std::to_string(100 + i);
            s += code + std::string(6 - code.size(), ' ') + gbkTestChar(i % 90) + "\r\n";
        }
        return s;
    }
    void choose(ExerciseKind kind) {
        flow.choosePage(pageOf(kind));
        flow.chooseExercise(kind);
    }
    // Ticks the gauge until it stops; returns the number of ticks.
    int ticksToTimeUp() {
        int ticks = 0;
        while (flow.clocks.gauge && ticks < 1000) {
            flow.tickGauge();
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(Flow, ShowingChoosesThePageDefaultAndIsIdle) {
    flow.activePage = Page::Words;
    flow.exercise = ExerciseKind::FourCharacterWords;
    flow.opened();
    EXPECT_EQ(flow.exercise, ExerciseKind::TwoCharacterWords);
    EXPECT_TRUE(shows(RunState::Idle));
    EXPECT_EQ(flow.messages[0], QStringLiteral("词编码训练"));
    EXPECT_EQ(flow.messages[3], QStringLiteral("<多字><一键词>"));
    EXPECT_TRUE(flow.clocks.panelDelay && flow.clocks.timeOfDay && flow.clocks.face);
    EXPECT_TRUE(host.calls.contains("panel ~/files/word.rtf"));
    flow.tickPanelDelay();
    EXPECT_FALSE(flow.clocks.panelDelay);
    EXPECT_EQ(host.calls.last(), "panel ~/files/word.rtf");

    // Each page chooses its first exercise and explains itself.
    const std::tuple<Page, ExerciseKind, const char*> pages[] = {
        {Page::Basic, ExerciseKind::BasicStrokes, "panel ~/files/base.rtf"},
        {Page::Characters, ExerciseKind::FullCodeCharacters, "panel ~/files/single.rtf"},
        {Page::Words, ExerciseKind::TwoCharacterWords, "panel ~/files/word.rtf"}};
    for (const auto& [p, first, panel] : pages) {
        flow.choosePage(p);
        EXPECT_EQ(flow.exercise, first) << static_cast<int>(p);
        EXPECT_EQ(host.calls.last(), panel);
    }
}

TEST_F(Flow, ShowingAgainAfterClosingDuringARunHidesItsItems) {
    write("hzlib/c4.txt",
          "123   " + gbkTestChar(1) + gbkTestChar(2) + gbkTestChar(3) + gbkTestChar(4) + "\r\n");
    choose(ExerciseKind::FourCharacterWords);
    flow.start();
    EXPECT_TRUE(flow.grids.words[0].visible);
    flow.closed();
    flow.opened();
    EXPECT_EQ(flow.activePage, Page::Words);
    EXPECT_EQ(flow.exercise, ExerciseKind::TwoCharacterWords);
    EXPECT_FALSE(flow.grids.words[0].visible);
    EXPECT_TRUE(shows(RunState::Idle));
    EXPECT_EQ(flow.messages[0], QStringLiteral("词编码训练"));
}

TEST_F(Flow, RunFromStartToTimeUpAndOn) {
    write("hzlib/z1.txt", charFile(119));
    choose(ExerciseKind::FullCodeCharacters);
    EXPECT_EQ(flow.messages[0], QStringLiteral("全码字编码训练"));
    EXPECT_EQ(flow.messages[1], QStringLiteral("请按<开始>键"));
    flow.start();
    EXPECT_TRUE(shows(RunState::Running));
    EXPECT_FALSE(host.clocksDuringWait) << "the clocks start after the wait";
    EXPECT_EQ(flow.messages[1], QStringLiteral("按F1键帮助"));
    EXPECT_EQ(flow.itemsTotal, 119);
    EXPECT_EQ(flow.box(Box::Character).pos, QPoint(8, 44));
    EXPECT_EQ(flow.focusBox, static_cast<int>(Box::Character));

    // Pause: every clock stops while the pause window is open.
    flow.pause();
    EXPECT_FALSE(host.timersDuringPause);
    EXPECT_TRUE(shows(RunState::Running));

    EXPECT_EQ(ticksToTimeUp(), 200) << "240 s at 初级能手";
    EXPECT_TRUE(shows(RunState::TimeUp));
    EXPECT_EQ(flow.messages[0], QStringLiteral("你离\"初级能手\""));
    EXPECT_EQ(flow.messages[3], QStringLiteral("可按<继续>键继续."));
    EXPECT_FALSE(flow.box(Box::Character).enabled);
    EXPECT_TRUE(flow.clocks.speed) << "the speed clock runs on at time-up";

    // "继续" keeps the items, the count left and the seconds of the speed clock.
    flow.itemsLeft = 100;
    flow.speedSeconds = 77;
    const std::string first = flow.grids.characters[0].text;
    const int seeds = draw->seeds;
    flow.start();
    EXPECT_TRUE(shows(RunState::Running));
    EXPECT_EQ(flow.itemsLeft, 100);
    EXPECT_EQ(flow.speedSeconds, 77);
    EXPECT_EQ(flow.grids.characters[0].text, first);
    EXPECT_EQ(draw->seeds, seeds) << "no new grid";
    EXPECT_EQ(flow.gauges.first, 0);
    EXPECT_TRUE(flow.box(Box::Character).enabled);
    EXPECT_EQ(flow.buttons.startCaption, QStringLiteral("开始"));

    // Another exercise ends the run at once.
    flow.chooseExercise(ExerciseKind::HarderCharacters);
    EXPECT_TRUE(shows(RunState::Idle));
    EXPECT_EQ(flow.speedText, QString());
    EXPECT_FALSE(flow.grids.characters[0].visible);
}

TEST_F(Flow, GaugeTicksAtEachLevel) {
    write("hzlib/z1.txt", charFile(20));
    struct Row {
        int step, ticks, cheers;
    };
    // cheers: cue 1 at half way (only when the first bar shows exactly 50)
    // and when the first bar is full.
    for (Row r : {Row{1, 200, 2}, Row{4, 50, 1}, Row{6, 34, 1}, Row{10, 20, 2}}) {
        SCOPED_TRACE(r.step);
        host.sound = true;
        host.cues.clear();
        flow.levelStep = r.step;
        choose(ExerciseKind::FullCodeCharacters);
        flow.start();
        std::vector<int> first;
        int ticks = 0;
        while (flow.clocks.gauge && ticks < 1000) {
            flow.tickGauge();
            ++ticks;
            if (flow.gauges.second == 0)
                first.push_back(flow.gauges.first);
        }
        EXPECT_EQ(ticks, r.ticks);
        EXPECT_EQ(std::count(host.cues.begin(), host.cues.end(), Cue::Cheer), r.cheers);
        EXPECT_EQ(host.cues.back(), Cue::TimeUp);
        EXPECT_EQ(first.back(), 100);
        if (r.step == 6) {
            EXPECT_EQ(first[first.size() - 2], 96);
        }
        if (r.step == 10) {
            EXPECT_EQ(first[4], 50) << "half way at the fifth tick";
        }
    }
}

TEST_F(Flow, SpeedRoundsHalvesToEvenAndPicksTheVehicle) {
    EXPECT_EQ(perMinute(5, 120), 2);  // 2.5
    EXPECT_EQ(perMinute(7, 120), 4);  // 3.5
    EXPECT_EQ(perMinute(1, 120), 0);  // 0.5
    EXPECT_EQ(perMinute(13, 30), 26); // 26.0
    EXPECT_EQ(perMinute(11, 40), 16); // 16.5
    EXPECT_EQ(perMinute(1, 7), 9);    // 8.57
    EXPECT_EQ(vehicleFor(29), Vehicle::Bike);
    EXPECT_EQ(vehicleFor(30), Vehicle::Car);
    EXPECT_EQ(vehicleFor(99), Vehicle::Car);
    EXPECT_EQ(vehicleFor(100), Vehicle::Plane);

    // Every tenth second of the speed clock, with the kind's speed factor.
    flow.exercise = ExerciseKind::ThreeCharacterWords; // three-character words count 3
    flow.speedCounting = true;
    flow.itemsTotal = 45;
    flow.itemsLeft = 40;
    for (int i = 0; i < 9; ++i)
        flow.tickSpeedClock();
    EXPECT_EQ(flow.speedText, QStringLiteral("0"));
    flow.tickSpeedClock();
    EXPECT_EQ(flow.speedText, QStringLiteral("90"));
    EXPECT_EQ(flow.vehicle, Vehicle::Car);
    flow.itemsLeft = 45 - 17;
    for (int i = 0; i < 10; ++i)
        flow.tickSpeedClock();
    EXPECT_EQ(flow.speedText, QStringLiteral("153"));
    EXPECT_EQ(flow.vehicle, Vehicle::Plane);

    // A finished picture run: the next tick shows the final speed, no factor.
    flow.exercise = ExerciseKind::BasicStrokes;
    flow.speedCounting = false;
    flow.itemsTotal = 60;
    flow.itemsLeft = 0;
    flow.speedSeconds = 45;
    flow.finalSpeedDue = true;
    flow.tickSpeedClock();
    EXPECT_EQ(flow.speedText, QStringLiteral("80"));
    EXPECT_FALSE(flow.finalSpeedDue);
    EXPECT_EQ(flow.speedSeconds, 0);
    flow.finalSpeedDue = true;
    flow.tickSpeedClock(); // no second elapsed: counted as one
    EXPECT_EQ(flow.speedText, QStringLiteral("3600"));
}

TEST_F(Flow, CodesOfPictureNames) {
    EXPECT_EQ(CodeFromFileName("ab12.bmp"), "12");
    EXPECT_EQ(CodeFromFileName("x3y45z.bmp"), "45");
    EXPECT_EQ(CodeFromFileName("exercise/bixing/heng_1.bmp"), "1");
    EXPECT_EQ(CodeFromFileName("exercise/caisezi/zhong-50006.bmp"), "50006");
    EXPECT_EQ(CodeFromFileName("exercise/fubu/no-digits.bmp"), "");
    EXPECT_EQ(CodeFromFileName("7.bmp"), "7");
    EXPECT_EQ(CodeFromFileName(".bmp"), "");
    EXPECT_EQ(CodeFromFileName("9bmp"), "");
    EXPECT_EQ(CodeFromFileName("a12/b.bmp"), "12");
    // The last four characters are the extension and never read.
    EXPECT_EQ(CodeFromFileName("a7.mp3"), "7");
    EXPECT_EQ(CodeFromFileName("12345"), "1");
}

TEST_F(Flow, RecordCountsAndTheLastRecord) {
    EXPECT_EQ(ExerciseFile::recordCount(1190, 10), 119);
    EXPECT_EQ(ExerciseFile::recordCount(1189, 10), 119);
    EXPECT_EQ(ExerciseFile::recordCount(1188, 10), 118);
    EXPECT_EQ(ExerciseFile::recordCount(9, 10), 1);
    EXPECT_EQ(ExerciseFile::recordCount(8, 10), 0);

    // Always drawing the last record: a whole file draws its last line.
    draw->last = true;
    write("hzlib/z1.txt", charFile(119));
    choose(ExerciseKind::FullCodeCharacters);
    flow.fillGrid(ExerciseKind::FullCodeCharacters);
    EXPECT_EQ(draw->ranges.front(), 119);
    EXPECT_EQ(flow.grids.characters[5].code, "218");
    // Without the last CR LF the last line is never drawn.
    std::string cut = charFile(119);
    cut.resize(1188);
    write("hzlib/z1.txt", cut);
    draw->ranges.clear();
    flow.fillGrid(ExerciseKind::FullCodeCharacters);
    EXPECT_EQ(draw->ranges.front(), 118);
    EXPECT_EQ(flow.grids.characters[5].code, "217");
}

TEST_F(Flow, RecordsAreTrimmedWhereTheKindSaysSo) {
    const std::string word4 = gbkTestChar(1) + gbkTestChar(2) + gbkTestChar(3) + gbkTestChar(4);
    write("hzlib/c4.txt", " 1234 " + gbkTestChar(1) + gbkTestChar(2) + "    \r\n"); // 16 bytes
    write("hzlib/c3.txt", "\t99\x01  " + gbkTestChar(1) + gbkTestChar(2) + gbkTestChar(3) + "\r\n");
    choose(ExerciseKind::FourCharacterWords);
    flow.fillGrid(ExerciseKind::FourCharacterWords);
    EXPECT_EQ(flow.grids.words[0].code, "1234");
    EXPECT_EQ(flow.grids.words[0].text, gbkTestChar(1) + gbkTestChar(2));
    EXPECT_EQ(flow.grids.words[44].text, gbkTestChar(1) + gbkTestChar(2));
    flow.fillGrid(ExerciseKind::ThreeCharacterWords);
    EXPECT_EQ(flow.grids.words[0].code, "99");
    EXPECT_EQ(flow.grids.words[0].text, gbkTestChar(1) + gbkTestChar(2) + gbkTestChar(3));
    EXPECT_EQ(flow.grids.words[0].look, ItemLook::Current);
    EXPECT_EQ(flow.grids.words[1].look, ItemLook::Pending);
}

TEST_F(Flow, MissingOrShortFilesStopStartBeforeTheClocks) {
    choose(ExerciseKind::HarderCharacters);
    EXPECT_THROW(flow.start(), UserError);
    EXPECT_FALSE(flow.clocks.gauge || flow.clocks.speed);
    EXPECT_EQ(flow.messages[0], QStringLiteral("较难字编码训练"));
    EXPECT_FALSE(host.calls.contains("wait"));
    EXPECT_TRUE(shows(RunState::Idle)) << "no pause of a run that never began";

    // Every message names the file by its full path.
    QString message = userErrorMessage([&] { flow.fillGrid(ExerciseKind::HarderCharacters); });
    EXPECT_TRUE(message.contains(at("hzlib/z2.txt")))
        << "a missing file: " << message.toStdString();
    // A FIFO in the file's place is refused at once, by name, instead of
    // holding Start until something writes to it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("hzlib/z2.txt")).constData(), 0600), 0);
    message = userErrorMessage([&] { flow.fillGrid(ExerciseKind::HarderCharacters); });
    EXPECT_TRUE(message.contains(at("hzlib/z2.txt"))) << "a FIFO: " << message.toStdString();
    QFile::remove(at("hzlib/z2.txt"));
    write("hzlib/z2.txt", "12345 " + gbkTestChar(0) + "\r"); // 9 bytes: a record without its LF
    EXPECT_NO_THROW(flow.fillGrid(ExerciseKind::HarderCharacters));
    write("hzlib/z2.txt", "12345 " + gbkTestChar(0)); // 8 bytes: less than one record
    message = userErrorMessage([&] { flow.fillGrid(ExerciseKind::HarderCharacters); });
    EXPECT_TRUE(message.contains(at("hzlib/z2.txt"))) << "a short file: " << message.toStdString();

    // A damaged record anywhere in the file: refused before the clocks, by
    // the file's full path and the record, like a missing file.
    std::string damagedFile = charFile(119);
    damagedFile[50 * 10 + 1] = 'x';
    write("hzlib/z2.txt", damagedFile);
    message = userErrorMessage([&] { flow.start(); });
    EXPECT_TRUE(
        message.contains(at("hzlib/z2.txt") + QStringLiteral("”已损坏：第 51 条记录的编码")))
        << "a damaged record: " << message.toStdString();
    EXPECT_TRUE(shows(RunState::Idle));
    EXPECT_FALSE(host.calls.contains("wait"));

    // A folder without bitmaps.
    write("exercise/bixing/readme.txt", "x");
    flow.chooseExercise(ExerciseKind::BasicStrokes);
    EXPECT_THROW(flow.start(), UserError);
    EXPECT_FALSE(flow.clocks.gauge || flow.clocks.speed);
    EXPECT_FALSE(flow.grids.pictures[0].visible);
    message = userErrorMessage([&] { flow.fillGrid(ExerciseKind::HarderStrokes); });
    EXPECT_TRUE(message.contains(at("exercise/fubu"))) << "no folder: " << message.toStdString();
}

TEST_F(Flow, PicturesAreDrawnFromTheFolderWithTheirCodes) {
    write("exercise/bixing/heng1.bmp", "BM");
    write("exercise/bixing/shu2.BMP", "BM");
    write("exercise/bixing/dian3.bmp", "BM");
    draw->script = {0, 1, 2, 2};
    choose(ExerciseKind::BasicStrokes);
    flow.start();
    EXPECT_EQ(flow.itemsLeft, 60);
    EXPECT_EQ(draw->ranges.front(), 3);
    EXPECT_EQ(flow.grids.pictures[0].code, "3");
    EXPECT_EQ(flow.grids.pictures[0].picturePath, at("exercise/bixing/dian3.bmp"));
    EXPECT_EQ(flow.grids.pictures[1].code, "1");
    EXPECT_EQ(flow.grids.pictures[2].code, "2");
    EXPECT_EQ(flow.grids.pictures[59].code, "3");
    EXPECT_TRUE(flow.grids.pictures[59].visible);
    EXPECT_EQ(flow.box(Box::Picture).pos, QPoint(15, 62));
}

TEST_F(Flow, ReviewSlotsComeBackFirstUntilAnotherExerciseOfThePage) {
    write("hzlib/z1.txt", charFile(119));
    write("hzlib/z2.txt", charFile(119));
    for (int i = 0; i < 119; ++i)
        draw->script.push_back(i);
    choose(ExerciseKind::FullCodeCharacters);
    flow.start();
    // F1 on the items in positions 4 and 9 (twice on the second).
    const GridItem a = flow.grids.characters[4], b = flow.grids.characters[9];
    flow.review.rememberCharacter(a.text, a.code.toStdString());
    flow.review.rememberCharacter(b.text, b.code.toStdString());
    flow.review.rememberCharacter(b.text, b.code.toStdString());
    EXPECT_EQ(flow.review.ReviewCursor, 2);

    draw->script.clear();
    draw->ranges.clear();
    flow.chooseExercise(ExerciseKind::FullCodeCharacters); // the same exercise keeps the slots
    flow.start();
    EXPECT_EQ(flow.grids.characters[0].text, a.text);
    EXPECT_EQ(flow.grids.characters[0].code, a.code);
    EXPECT_EQ(flow.grids.characters[1].text, b.text);
    EXPECT_EQ(flow.grids.characters[1].code, b.code);
    EXPECT_EQ(flow.grids.characters[2].text, gbkTestChar(0)) << "drawn";
    EXPECT_EQ(draw->ranges.size(), 117u);

    // A new run does not empty them either.
    flow.gauges.second = 0;
    flow.start();
    EXPECT_EQ(flow.grids.characters[1].text, b.text);

    flow.chooseExercise(
        ExerciseKind::HarderCharacters); // another exercise of the page empties them
    flow.start();
    EXPECT_EQ(flow.grids.characters[0].text, gbkTestChar(0));
    EXPECT_TRUE(flow.review.CharReview[0].empty());

    // So does every other way between two exercises of a page, back to the
    // page's first one too.
    const std::pair<ExerciseKind, ExerciseKind> ways[] = {
        {ExerciseKind::HarderCharacters, ExerciseKind::FullCodeCharacters},
        {ExerciseKind::TwoCharacterWords, ExerciseKind::ThreeCharacterWords},
        {ExerciseKind::ThreeCharacterWords, ExerciseKind::TwoCharacterWords},
        {ExerciseKind::CharacterReview, ExerciseKind::FullCodeCharacters}};
    for (const auto& [from, to] : ways) {
        choose(from);
        flow.review.rememberCharacter(a.text, "1");
        flow.review.rememberWord(a.text, "1", false);
        flow.chooseExercise(to);
        EXPECT_TRUE(isCharacterKind(to) ? flow.review.CharReview[0].empty()
                                        : flow.review.WordReview[0].empty())
            << numberOf(from) << " to " << numberOf(to);
        flow.review.emptyCharacters();
        flow.review.emptyWords();
    }
}

TEST_F(Flow, MultiCharacterWordsUseTheirEighteenPositions) {
    std::string file;
    for (int i = 0; i < 3; ++i) {
        const std::string w = gbkTestChar(i) + gbkTestChar(i + 1) + gbkTestChar(i + 2) +
                              gbkTestChar(i + 3) + gbkTestChar(i + 4);
        file += "50" + std::to_string(i) + "   " + w + "      \r\n";
    }
    write("hzlib/c5.txt", file);
    draw->script = {2, 1};
    choose(ExerciseKind::LongWords);
    flow.start();
    EXPECT_EQ(flow.itemsTotal, 18);
    int shown = 0;
    for (size_t p = 0; p < flow.grids.words.size(); ++p)
        shown += flow.grids.words[p].visible ? 1 : 0;
    EXPECT_EQ(shown, 18);
    EXPECT_FALSE(flow.grids.words[1].visible);
    EXPECT_TRUE(flow.grids.words[43].visible);
    EXPECT_EQ(flow.grids.words[0].code, "502");
    EXPECT_EQ(flow.grids.words[0].text.size(), 10u);

    // Columns 0 and 3 of each of the nine rows, written out: the words shown
    // and the walk of the box from one to the next.
    const std::vector<int> written = {0,  3,  5,  8,  10, 13, 15, 18, 20,
                                      23, 25, 28, 30, 33, 35, 38, 40, 43};
    for (int q = 0; q < static_cast<int>(flow.grids.words.size()); ++q) {
        const bool listed = std::find(written.begin(), written.end(), q) != written.end();
        EXPECT_EQ(flow.grids.words[static_cast<size_t>(q)].visible, listed) << q;
    }
    int p = 0;
    for (int expected : written) {
        EXPECT_EQ(p, expected);
        p = nextMultiWordPosition(p);
    }

    // Two words looked up come back in positions 0 and 3.
    flow.review.rememberWord(flow.grids.words[3].text, "501", true);
    flow.review.rememberWord(flow.grids.words[3].text, "501", true); // the same word again
    flow.review.rememberWord(flow.grids.words[5].text, "500", true);
    EXPECT_EQ(flow.review.ReviewCursor, 5);
    flow.chooseExercise(ExerciseKind::LongWords);
    draw->script.clear();
    flow.start();
    EXPECT_EQ(flow.grids.words[0].code, "501");
    EXPECT_EQ(flow.grids.words[3].code, "500");
    EXPECT_EQ(flow.grids.words[5].code, "500") << "drawn: record 0";
}

TEST_F(Flow, ReviewSlotsHoldTheirLimits) {
    ReviewSlots memo;
    memo.rememberCharacter(std::string(14, 'x'), "123456789012");
    EXPECT_EQ(memo.CharReview[0].text.size(), 10u);
    EXPECT_EQ(memo.CharReview[0].code, "1234567890");
    for (int i = 0; i < 200; ++i)
        memo.rememberCharacter(gbkTestChar(i % 2), "1"); // alternating: every call writes
    EXPECT_EQ(memo.ReviewCursor, ReviewSlots::kCharSlots);
    memo.rewind();
    for (int i = 0; i < 100; ++i)
        memo.rememberWord(gbkTestChar(i % 2) + gbkTestChar(3), "1", false);
    EXPECT_EQ(memo.ReviewCursor, ReviewSlots::kWordSlots);
    memo.rewind();
    memo.rememberWord(std::string(40, 'w'), std::string(40, '1'), false);
    EXPECT_EQ(memo.WordReview[0].text.size(), 30u);
    EXPECT_EQ(memo.WordReview[0].code.size(), 30u);
}

TEST_F(Flow, CommandButtonsStopTheClocksAroundTheirWindows) {
    write("hzlib/z1.txt", charFile(30));
    choose(ExerciseKind::FullCodeCharacters);
    flow.start();
    // Help without its file: the clocks stop and, during a run, start again.
    flow.openHelp();
    EXPECT_FALSE(host.calls.contains("help ~/files/tvmsm.rtf"));
    EXPECT_TRUE(flow.clocks.gauge && flow.clocks.speed);
    QDir(dir.path()).mkpath("files");
    write("files/tvmsm.rtf", "{\\rtf1 x}");
    flow.openHelp();
    EXPECT_EQ(host.calls.last(), "help ~/files/tvmsm.rtf");

    // Quit asked and refused: the run goes on.
    flow.quit();
    EXPECT_TRUE(shows(RunState::Running));
    host.quitAnswer = true;
    flow.quit();
    EXPECT_EQ(host.calls.last(), "close");
    EXPECT_TRUE(shows(RunState::Idle));

    // Settings: the sound option goes when nothing can play.
    host.canPlay = false;
    flow.openSettings();
    EXPECT_TRUE(host.calls.contains("soundDisabled"));
    EXPECT_EQ(host.calls.last(), "settings");
    flow.openRecordHolders();
    EXPECT_EQ(host.calls.last(), "records");

    flow.closed();
    EXPECT_FALSE(flow.clocks.gauge || flow.clocks.panelDelay || flow.clocks.speed ||
                 flow.clocks.face || flow.clocks.timeOfDay);
}

} // namespace

namespace {

TEST_F(Flow, TheCharacterReviewTakesTheHistoryFirstWithAllTheRulesOfACharacterRun) {
    write("hzlib/z1.txt", charFile(200));
    int asked = 0;
    std::vector<std::pair<QString, QString>> offered;
    flow.setReviewProvider([&](bool words, int count, const auto& frequent) {
        ++asked;
        EXPECT_FALSE(words);
        EXPECT_EQ(count, 119);
        offered = frequent;
        ReviewItems r;
        r.items = {{QStringLiteral("国"), QStringLiteral("60104")},
                   {QStringLiteral("中"), QStringLiteral("50006")}};
        r.message = {QStringLiteral("复习记录只有2个字，"), QStringLiteral("另加0个常用字。")};
        return r;
    });
    choose(ExerciseKind::CharacterReview);
    EXPECT_EQ(flow.messages[0], QStringLiteral("错字复习"));
    flow.start();
    EXPECT_EQ(asked, 1);
    // The frequent items offered are the file's first, in file order.
    ASSERT_EQ(offered.size(), 119u);
    EXPECT_EQ(offered[0], std::make_pair(gbk::toUnicode(gbkTestChar(0)), QStringLiteral("100")));
    EXPECT_EQ(offered[118].second, QStringLiteral("218"));
    EXPECT_TRUE(shows(RunState::Running));
    EXPECT_EQ(flow.itemsTotal, 119);
    EXPECT_EQ(flow.grids.characters[0].text, gbk::fromUnicodeLossy(u"国"));
    EXPECT_EQ(flow.grids.characters[0].look, ItemLook::Current);
    EXPECT_EQ(flow.grids.characters[1].code, QStringLiteral("50006"));
    // Fewer items than places: they come round again; every place is filled.
    EXPECT_EQ(flow.grids.characters[2].code, QStringLiteral("60104"));
    EXPECT_TRUE(flow.grids.characters[118].visible);
    EXPECT_EQ(flow.messages[2], QStringLiteral("复习记录只有2个字，"));
    EXPECT_EQ(flow.messages[3], QStringLiteral("另加0个常用字。"));
    EXPECT_EQ(TrainingFlow::boxOf(ExerciseKind::CharacterReview), Box::Character);
    EXPECT_TRUE(flow.box(Box::Character).visible);
}

// A step of the course: its pictures or items, its messages, recorded as the
// step; another exercise chosen after it is an ordinary run again.
TEST_F(Flow, ACourseStepRunsItsOwnItemsAndIsRecordedAsTheStep) {
    struct Steps : RunObserver {
        QStringList seen;
        void runStarted(int kind, int) override { seen << QStringLiteral("run %1").arg(kind); }
        void runIsCourseStep(int step) override { seen << QStringLiteral("step %1").arg(step); }
    } steps;
    flow.setRunObserver(&steps);
    write("hzlib/z1.txt", charFile(200));
    for (const char* name : {"heng1", "shu2", "dian3", "ba8", "sha12"})
        write(QStringLiteral("exercise/bixing/%1.bmp").arg(QLatin1String(name)), "BM");
    int reviews = 0;
    flow.setReviewProvider([&](bool, int, const auto& frequent) {
        ++reviews;
        ReviewItems r;
        r.items = frequent;
        return r;
    });

    const QStringList firstStep = {QStringLiteral("学习路线第1步"), QStringLiteral("一横二竖")};
    flow.startCourseStep(
        {1, ExerciseKind::BasicStrokes, 20, {}, QStringLiteral("12"), firstStep, {}});
    EXPECT_TRUE(shows(RunState::Running));
    for (const GridItem& item : flow.grids.pictures)
        EXPECT_TRUE(item.code == u"1" || item.code == u"2") << item.code.toStdString();
    // The step keeps its name through a right answer and a new start.
    for (QChar c : flow.grids.pictures[0].code)
        flow.boxKeyPress(Box::Picture, {PadKey::Digit, c.digitValue(), true, false, QString(c)});
    flow.boxKeyPress(Box::Picture, {PadKey::Enter, 0, true, false, QStringLiteral("\r")});
    EXPECT_EQ(flow.itemsLeft, flow.itemsTotal - 1);
    EXPECT_EQ(flow.messages[1], firstStep[1]);
    flow.start();
    EXPECT_EQ(flow.messages[0], firstStep[0]);

    // Sixty characters at 10 字/分: each once, as many as that speed reaches
    // in the 240 s of the level with a fifth to spare (the whole grid of
    // repeated items once took three times the time there is).
    std::vector<std::pair<QString, QString>> sixty;
    for (int i = 0; i < 60; ++i)
        sixty.emplace_back(gbk::toUnicode(gbkTestChar(i)), QString::number(10000 + i));
    CourseRun characters;
    characters.step = 7;
    characters.kind = ExerciseKind::CharacterReview;
    characters.speed = 10;
    characters.items = sixty;
    characters.message = {QStringLiteral("学习路线第7步"), QStringLiteral("常用字")};
    flow.startCourseStep(characters);
    EXPECT_TRUE(shows(RunState::Running));
    EXPECT_EQ(reviews, 0) << "the step's items, not the history's";
    EXPECT_EQ(flow.itemsTotal, 32);
    EXPECT_FALSE(flow.grids.characters[32].visible);
    // Each run a different part of the list, in its order: over the runs
    // every item comes up, not always the first 32.
    std::set<QString> seen;
    for (int k = 0; k < 300; ++k)
        draw->script.push_back(k * 37 + 11);
    for (int run = 0; run < 8; ++run) {
        if (run > 0) {
            flow.startCourseStep(characters);
        }
        for (int i = 0; i < 32; ++i) {
            const QString code = flow.grids.characters[static_cast<size_t>(i)].code;
            seen.insert(code);
            if (i > 0) {
                EXPECT_LT(flow.grids.characters[static_cast<size_t>(i) - 1].code, code);
            }
        }
    }
    EXPECT_GT(seen.size(), 50u);
    // Under the step's name, not the review's "错字复习训练".
    EXPECT_EQ(flow.messages[0], QStringLiteral("学习路线第7步"));
    EXPECT_EQ(flow.messages[1], QStringLiteral("常用字"));
    // Time-up in a step says how to go on, not how far a level is.
    ticksToTimeUp();
    EXPECT_EQ(flow.messages[0], QStringLiteral("时间到了。"));
    EXPECT_EQ(flow.messages[2], QStringLiteral("按回车或《继续》"));
    // At 超级高手 (24 s) three; a step without a speed takes all its items.
    flow.levelStep = 10;
    flow.startCourseStep(characters);
    EXPECT_EQ(flow.itemsTotal, 3);
    CourseRun unpaced = characters;
    unpaced.speed = 0;
    flow.startCourseStep(unpaced);
    EXPECT_EQ(flow.itemsTotal, 60);
    flow.levelStep = 1;

    choose(ExerciseKind::CharacterReview);
    flow.start();
    EXPECT_EQ(reviews, 1);
    QStringList eightRuns;
    for (int run = 0; run < 8; ++run)
        eightRuns << "run 12"
                  << "step 7";
    EXPECT_EQ(steps.seen, (QStringList{"run 0", "step 1", "run 0", "step 1"} + eightRuns +
                           QStringList{"run 12", "step 7", "run 12", "step 7", "run 12"}));
}

TEST_F(Flow, TheWordReviewWithoutAHistoryTakesTheFrequentWordsAndSaysSo) {
    std::string words;
    for (int i = 0; i < 60; ++i) {
        const std::string code = std::to_string(200000 + i);
        words += code + gbkTestChar(i % 90) + gbkTestChar((i + 1) % 90) + "\r\n";
    }
    write("hzlib/c2.txt", words);
    choose(ExerciseKind::WordReview);
    flow.start();
    EXPECT_TRUE(shows(RunState::Running));
    EXPECT_EQ(flow.itemsTotal, 45);
    EXPECT_EQ(flow.grids.words[0].code, QStringLiteral("200000"));
    EXPECT_EQ(flow.grids.words[44].code, QStringLiteral("200044"));
    EXPECT_EQ(flow.messages[2], QStringLiteral("没有学习记录，"));
    EXPECT_EQ(flow.messages[3], QStringLiteral("先复习常用词。"));
    EXPECT_EQ(TrainingFlow::boxOf(ExerciseKind::WordReview), Box::Word);
}

TEST_F(Flow, AWordReviewToppedUpCountsOnlyTheWordsThatFoundACell) {
    write("hzlib/c2.txt", "123456" + gbkTestChar(1) + gbkTestChar(2) + "\r\n");
    flow.setReviewProvider([](bool words, int count, const auto&) {
        // Two long words of the history take two cells each, so two of the
        // 43 frequent words added to make 45 find no cell.
        ReviewItems r;
        r.items.assign(2, {QStringLiteral("醉翁之意不在酒"), QStringLiteral("111111")});
        r.items.resize(static_cast<size_t>(count),
                       {QStringLiteral("中国"), QStringLiteral("500601")});
        r.filled = count - 2;
        r.message = training::reviewTopUpMessage(2, r.filled, words);
        return r;
    });
    choose(ExerciseKind::WordReview);
    flow.start();
    EXPECT_EQ(flow.itemsTotal, 43);
    EXPECT_EQ(flow.messages[2], QStringLiteral("复习记录只有2个词，"));
    EXPECT_EQ(flow.messages[3], QStringLiteral("另加41个常用词。"));
}

TEST_F(Flow, AReviewWithNothingToDrawStopsBeforeTheClocks) {
    write("hzlib/z1.txt", charFile(5));
    flow.setReviewProvider([](bool, int, const auto&) { return ReviewItems{}; });
    choose(ExerciseKind::CharacterReview);
    EXPECT_THROW(flow.start(), UserError);
    EXPECT_FALSE(flow.clocks.gauge);
    EXPECT_FALSE(flow.buttons.pauseEnabled);
}

TEST(TrainingMascot, TheFaceOverTenTicksAndWhereAStoppedAnimationLeavesIt) {
    FakeTrainingHost host;
    TrainingFlow flow{host};
    // Seen face at ticks 1-10 (the open one lies over the closed one):
    // closed 1-3, open 4-6, closed 7, open 8-9, closed 10.
    const char* seen = "CCCOOOCOOC";
    for (int cycle = 0; cycle < 2; ++cycle) {
        for (int tick = 1; tick <= 10; ++tick) {
            flow.tickFace();
            const char face = flow.face.openShown ? 'O' : 'C';
            EXPECT_EQ(face, seen[tick - 1]) << "cycle " << cycle << " tick " << tick;
        }
        EXPECT_EQ(flow.face.tick, 0);
    }
    // Stopped after tick 5: the open face stays, and the count goes on from there.
    for (int tick = 1; tick <= 5; ++tick)
        flow.tickFace();
    EXPECT_TRUE(flow.face.openShown);
    EXPECT_EQ(flow.face.tick, 5);
    flow.tickFace();
    flow.tickFace();
    EXPECT_FALSE(flow.face.openShown) << "tick 7 closes it";
}

} // namespace

namespace {

// Words of the review take the cells their length needs, so that no word
// runs into the next: 2–4 characters one cell, 5–8 two, 13 four; a word
// that does not fit the rest of its row starts the next one. The box goes
// from word to word.
TEST_F(Flow, TheWordReviewGivesALongWordTheCellsItNeeds) {
    write("hzlib/c2.txt", "123456" + gbkTestChar(1) + gbkTestChar(2) + "\r\n");
    QStringList texts = {QStringLiteral("中国"), QStringLiteral("醉翁之意不在酒"),
                         QStringLiteral("斯洛文尼亚"), QStringLiteral("中华人民共和国万岁万岁万岁"),
                         QStringLiteral("学习")};
    flow.setReviewProvider([&](bool words, int, const auto&) {
        EXPECT_TRUE(words);
        ReviewItems r;
        for (const QString& t : texts)
            r.items.emplace_back(t, QStringLiteral("111111"));
        return r;
    });
    choose(ExerciseKind::WordReview);
    flow.start();
    // 中国 0; 醉翁之意不在酒 1-2; 斯洛文尼亚 3-4; the 13 characters a row of
    // their own, 5-8; 学习 9; then round again from 中国 at 10.
    const std::vector<int> expected = {0, 1, 3, 5, 9, 10};
    ASSERT_GE(flow.wordReviewPositions.size(), expected.size());
    EXPECT_EQ(
        std::vector<int>(flow.wordReviewPositions.begin(), flow.wordReviewPositions.begin() + 6),
        expected);
    EXPECT_EQ(flow.itemsTotal, static_cast<int>(flow.wordReviewPositions.size()));
    for (int p : {2, 4, 6, 7, 8})
        EXPECT_FALSE(flow.grids.words[static_cast<size_t>(p)].visible) << p;
    EXPECT_EQ(gbk::toUnicode(flow.grids.words[5].text), texts[3]);

    for (size_t n = 1; n < 5; ++n) {
        flow.boxKeyPress(Box::Word, {PadKey::Digit, 1, true, false, QStringLiteral("1")});
        for (int d = 0; d < 5; ++d)
            flow.boxKeyPress(Box::Word, {PadKey::Digit, 1, true, false, QStringLiteral("1")});
        flow.boxKeyPress(Box::Word, {PadKey::Enter, 0, true, false, QStringLiteral("\r")});
        const int p = flow.wordReviewPositions[n];
        EXPECT_EQ(flow.currentIndex, p);
        EXPECT_EQ(flow.box(Box::Word).pos, QPoint(2 + (p % 5) * 126, 34 + (p / 5) * 49));
    }

    // Answered to its end and started again over words of seven characters:
    // only their cells show, none left over from the run before.
    for (int i = 0; i < 300 && flow.box(Box::Word).enabled; ++i) {
        for (int d = 0; d < 6; ++d)
            flow.boxKeyPress(Box::Word, {PadKey::Digit, 1, true, false, QStringLiteral("1")});
        flow.boxKeyPress(Box::Word, {PadKey::Enter, 0, true, false, QStringLiteral("\r")});
    }
    ASSERT_FALSE(flow.box(Box::Word).enabled) << "the first run did not end";
    texts = {QStringLiteral("醉翁之意不在酒")};
    flow.start();
    ASSERT_TRUE(shows(RunState::Running));
    const auto& at = flow.wordReviewPositions;
    for (int p = 0; p < static_cast<int>(flow.grids.words.size()); ++p) {
        const GridItem& item = flow.grids.words[static_cast<size_t>(p)];
        EXPECT_EQ(item.visible, std::find(at.begin(), at.end(), p) != at.end()) << p;
        EXPECT_NE(item.look, ItemLook::Answered) << p;
    }
}

} // namespace

namespace {

// A review takes every code the dictionary gives an item: 有's short code 4
// is as right as its full code 40207, which is the one shown.
TEST_F(Flow, TheCharacterReviewTakesEveryCodeOfTheCharacter) {
    write("hzlib/z1.txt", charFile(3));
    flow.setReviewProvider([](bool, int, const auto&) {
        ReviewItems r;
        r.items = {{QStringLiteral("有"), QStringLiteral("40207")},
                   {QStringLiteral("中"), QStringLiteral("50006")}};
        r.otherCodes[QStringLiteral("有")] = {QStringLiteral("4")};
        return r;
    });
    choose(ExerciseKind::CharacterReview);
    flow.start();
    EXPECT_EQ(flow.grids.characters[0].code, QStringLiteral("40207"));
    auto type = [&](const QString& digits) {
        for (QChar c : digits)
            flow.boxKeyPress(Box::Character,
                             {PadKey::Digit, c.digitValue(), true, false, QString(c)});
        flow.boxKeyPress(Box::Character, {PadKey::Enter, 0, true, false, QStringLiteral("\r")});
    };
    type(QStringLiteral("4"));
    EXPECT_EQ(flow.currentIndex, 1) << "the short code is right";
    type(QStringLiteral("4")); // 中 has no code 4
    EXPECT_EQ(flow.currentIndex, 1);
}

} // namespace
