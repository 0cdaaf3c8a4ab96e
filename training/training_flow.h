#pragma once

#include "training/answer_boxes.h"
#include "training/exercise_kind.h"
#include "training/history_link.h"
#include "training/random_draw.h"
#include "training/review_slots.h"
#include "training/run_observer.h"
#include "training/speed_display.h"
#include "training/training_grid.h"
#include "training/wrong_code_coach.h"

#include <QPoint>
#include <QString>

#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// What the training flow asks of its window: the modal windows, the
// explanation panel, sounds and the one-second wait of Start.
namespace training {

// The training's sound cues, by what they say or play. Their numbers are the
// places of their files in the window's table.
enum class Cue {
    Cheer = 1,      // "加油！" (Jiayou.wav)
    Record = 2,     // "恭喜你破纪录了！" (Hero.wav)
    ThinkAgain = 3, // "再想想" (Zaixiang.wav)
    Start = 4,      // "开始" (start.wav)
    TimeUp = 5,     // "时间到了" (Gxgx.wav)
    Finished = 6,   // the fanfare of a finished run (win.wav)
    PauseMusic = 7, // the music of the pause (backmid.mid)
};

class TrainingHost {
public:
    virtual ~TrainingHost() = default;
    virtual bool soundOptionTicked() const = 0; // the settings' 音乐
    virtual void playCue(Cue cue) = 0;
    virtual bool soundCanPlay() = 0;
    virtual void disableSoundOption() = 0;
    // Places the explanation panel beside the window, loads `textFile` into
    // it when that file exists (else it keeps its text) and shows it.
    virtual void showPanel(const QString& textFile) = 0;
    virtual void closePanel() = 0;
    virtual void showPause() = 0; // modal; returns when the learner goes on
    virtual void closePause() = 0;
    virtual void closeMediaPlayer() = 0;
    virtual void showHelp(const QString& textFile) = 0; // modal
    virtual void showSettings() = 0;                    // modal
    virtual void showRecordHolders() = 0;               // modal
    virtual void showHistory() = 0;                     // "学习记录", modal
    virtual bool autoHintTicked() const = 0;            // the settings' 自动提示
    // The code diagram "statement/<character>.bmp", modal. True when the
    // learner closed it with its own close button, or when the picture could
    // not be read and the learner was told so; either hides "编码图解".
    virtual bool showDiagram(const QString& picture) = 0;
    // Whether `score` beats the stored record of exercise `kind`; a damaged
    // record file is told to the learner and sets no record.
    virtual bool judgeRecord(ExerciseKind kind, const QString& score) = 0;
    // The name entry of a new record (modal): RecordSlot, RecordScore.
    virtual void enterRecordName(ExerciseKind kind, const QString& score) = 0;
    virtual bool askQuit() = 0; // "确定退出吗", OK/Cancel
    virtual void closeWindow() = 0;
    // Start's wait between the visible grid and the clocks: blocks, and
    // processes no events, so clicks made meanwhile are handled afterwards.
    virtual void waitBeforeClocks() = 0;
};

// The items of a review run, drawn from the learning history: (text, code)
// pairs, and the lines for the message labels when the history had too few
// and frequent items filled up.
struct ReviewItems {
    std::vector<std::pair<QString, QString>> items;
    QStringList message;
    // Further codes the dictionary gives an item (a character's short codes
    // beside its full code): typed, they are right too.
    std::map<QString, QStringList> otherCodes;
    // A drill's corner, as the history chose it.
    std::optional<DrillTarget> drilled;
    // The whole grid, the items coming round again when there are fewer; or
    // each item once, the run as long as the items (what is due today).
    bool wholeGrid = true;
    // The frequent items a review added after the history's (at the end of
    // `items`); the message counts them again when not all fit the grid.
    int filled = 0;
};
// Draws `count` items for the character (words: false) or word review;
// `frequent` are the exercise file's first items, most frequent first.
using ReviewProvider = std::function<ReviewItems(
    bool words, int count, const std::vector<std::pair<QString, QString>>& frequent)>;
// Draws `count` characters for a drill of one corner (弱点练习) of `target`,
// or of the corner confused most without one; `byFrequency` are the
// characters of the exercise file, most frequent first.
using DrillProvider = std::function<ReviewItems(const std::optional<DrillTarget>& target, int count,
                                                const QStringList& byFrequency)>;

// A run of a step of the course "学习路线": the exercise it uses (a picture
// exercise, or the character or word review's page and rules), the items
// (characters, words: text and code; pictures: the digits whose pictures are
// drawn, all when empty) and the lines for the message labels.
struct CourseRun {
    int step = 0;
    ExerciseKind kind = ExerciseKind::BasicStrokes;
    int speed = 0; // the speed in 字/分 the step asks for; 0: none
    std::vector<std::pair<QString, QString>> items;
    QString digits;
    QStringList message;
    // What a finished run of the step comes to, in the four message lines
    // (answered items, wrong answers, F1 look-ups, speed); none: nothing said.
    std::function<QStringList(int answered, int wrong, int lookups, int speed)> verdict;
};

// The four message lines under the mascot.
using Messages = std::array<QString, 4>;

// The clocks the window runs for the flow: on, the window's timer runs and
// calls the flow's tick at each period.
struct Clocks {
    bool gauge = false;      // the time gauge, every 1.2 s: tickGauge
    bool panelDelay = false; // the explanation panel, once after 100 ms: tickPanelDelay
    bool speed = false;      // the speed clock, every second: tickSpeedClock
    bool face = false;       // the mascot's face, every 200 ms: tickFace
    bool timeOfDay = false;  // the time of day: tickTimeOfDay
};

// The command buttons and the button that opens the code diagram.
struct Buttons {
    QString startCaption = QStringLiteral("开始"); // "继续" at time-up
    bool startEnabled = true;
    bool pauseEnabled = false;
    bool settingsEnabled = true;
    bool recordsEnabled = true; // the record holders
    bool diagramShown = false;  // "编码图解"
};

// The time gauge: two bars of 0-100 filled one after the other.
struct Gauges {
    int first = 0, second = 0;
    bool shown = true; // hidden when the learner trains without a level
};

// The mascot: a closed face with an open one lying over it.
struct Face {
    bool closedShown = true;
    bool openShown = false;
    int tick = 0; // 0-10, not reset when the animation starts
};

// Where a run stands. Idle: no run (an exercise chosen, or Start refused);
// Starting: Start's wait before the clocks; Running; Paused: the pause notice
// shows; TimeUp: the gauge is full and Start says "继续" (a picture run
// answered to its end after time-up stays there: Start goes on from it);
// Finished: every item answered.
enum class RunState { Idle, Starting, Running, Paused, TimeUp, Finished };

// The practice flow of the training window: the chosen exercise, the run's
// state, the time gauge, the speed clock and the grids filled at Start. It
// holds what the window shows; the window draws this state after every event
// with one refresh and keeps its timers in step with `clocks`.
class TrainingFlow {
public:
    explicit TrainingFlow(TrainingHost& host);

    // Window events.
    void opened();
    void choosePage(Page page); // the page that became active
    void chooseExercise(ExerciseKind kind);
    void start();
    void pause();
    void openHelp();
    void openSettings();
    void openRecordHolders();
    void openHistory(); // "学习记录"
    // "弱点练习": the character review's page and rules over characters
    // chosen for one weak corner (`target`, else the corner confused most);
    // the run starts at once.
    void startDrill(const std::optional<DrillTarget>& target);
    // A step of the course: its exercise's page, its items; the run starts at
    // once and is recorded as that step.
    void startCourseStep(const CourseRun& run);
    void quit();
    void activated();      // the window became the active window
    void closed();         // the window is closing
    void tickGauge();      // time gauge, 1200 ms
    void tickPanelDelay(); // explanation panel, 100 ms, once
    void tickSpeedClock(); // speed clock, 1000 ms
    void tickTimeOfDay(const QString& now);
    // A key pressed in an input box: its key-down steps, then the character
    // it types (which the box's digit filter sees).
    void boxKeyPress(Box b, const AnswerKey& key);
    void openDiagram(); // "编码图解"
    // The mascot, 200 ms: over ten ticks the face is closed (1-3), open
    // (4-6), closed (7), open (8-9), closed (10). A stopped animation leaves
    // the face last shown.
    void tickFace();

    // Operations of the practice flow.
    void leaveExercise(ExerciseKind oldKind);
    void hideItems(ExerciseKind kind);
    void setMessages(const QString& a, const QString& b, const QString& c, const QString& d);
    // Places the items of a run (pictures, characters or words). Throws
    // UserError naming the file or folder when there is nothing to draw;
    // the grid is then left as it was.
    void fillGrid(ExerciseKind kind);

    using RunState = training::RunState;
    RunState runState() const { return run_; }

    void setRandomDraw(std::unique_ptr<RandomDraw> draw) { random_ = std::move(draw); }
    // Where the reviews take their items; without one they take the frequent
    // items and say so.
    void setReviewProvider(ReviewProvider provider) { reviewProvider_ = std::move(provider); }
    void setDrillProvider(DrillProvider provider) { drillProvider_ = std::move(provider); }
    // The character review's runs are drills of a weak corner until another
    // exercise is chosen.
    bool drillChosen = false;
    std::optional<DrillTarget> drillTarget;
    // The exercise's runs are the course's step until another exercise is chosen.
    std::optional<CourseRun> courseRun;
    // The wrong answers and F1 look-ups of the run under way.
    int runWrong = 0;
    int runLookups = 0;
    // The corner the drill under way keeps to; -1 when none.
    int drilledCorner = -1;
    // Who takes note of the runs (null: nobody).
    void setRunObserver(RunObserver* observer);

    // Settings (the settings dialog writes them).
    int levelStep = 1;
    QString levelName = QStringLiteral("初级能手");
    int hintAfter = 2;

    // Run state.
    ExerciseKind exercise = ExerciseKind::BasicStrokes;
    Page activePage = Page::Basic;
    int speedSeconds = 0;
    bool speedCounting = false;
    bool finalSpeedDue = false;
    int itemsTotal = 0;
    int itemsLeft = 0;
    int currentIndex = 0;
    ExerciseKind lastCharacterExercise = ExerciseKind::FullCodeCharacters;
    ExerciseKind lastWordExercise = ExerciseKind::TwoCharacterWords;
    int pictureColumn = 0; // column of the current picture
    int boxColumn = 0;     // column of the character or word box
    // The word review's positions in the order they are answered: a word
    // takes as many cells of its row as its length needs (empty otherwise).
    std::vector<int> wordReviewPositions;
    ReviewSlots review;
    Grids grids;

    // Answer entry.
    std::array<bool, 3> codeShown{}; // by box: F1 has put the code into it
    int pictureWrongCount = 0, characterWrongCount = 0, wordWrongCount = 0;
    std::string diagramCharacter; // GBK, the character of the last F1 on the character page
    // Why an answer on the character or word page is wrong: the coach
    // decides, the note is shown until the next key in the box.
    WrongCodeCoach coach;
    CoachNote coachNote;

    // What the window shows.
    Messages messages;
    Gauges gauges;
    QString speedText = QStringLiteral("0"); // characters a minute
    Vehicle vehicle = Vehicle::Bike;
    QString timeOfDay;
    Buttons buttons;
    Face face;
    AnswerBoxes boxes;
    int focusBox = -1; // the box that should take the focus, or -1
    Clocks clocks;

    InputBox& box(Box b) { return boxes[b]; }
    const InputBox& box(Box b) const { return boxes[b]; }
    // The input box of a kind's page.
    static Box boxOf(ExerciseKind kind);

    // First places of the boxes at Start, and where leaving an exercise puts them.
    static constexpr QPoint kPictureBoxStart{15, 62};
    static constexpr QPoint kCharBoxStart{8, 44};
    static constexpr QPoint kWordBoxStart{2, 34};
    static constexpr QPoint kCharBoxRest{8, 34};
    static constexpr QPoint kWordBoxRest{5, 24};

    // The text of a box changed by the program, with the box's change
    // handler (digit filter, pending text) run at once, as for a typed change.
    void setBoxText(Box b, const QString& text) { boxes.setText(b, text); }
    // "statement/<diagramCharacter>.bmp" in the program folder.
    QString diagramPath() const;

    // The program folder: the exercises, the explanation texts and the code
    // diagrams are read from it, and the window is given their full paths.
    void setProgramFolder(const QString& folder) { folder_ = folder; }
    // A data path ("hzlib/z1.txt") in the program folder.
    QString inProgramFolder(const QString& relative) const;

private:
    // Answer entry: a submitted answer judged; the right and wrong steps of
    // each box; F1.
    void judge(Box b, const QString& answer);
    // The points where an item is answered and where a run ends: every right
    // answer passes answeredRight, every wrong one answeredWrong, and every
    // finished run recordCheck.
    void answeredRight(Box b);
    void answeredWrong(Box b, const QString& answer);
    void rightPicture();
    void rightText(Box b);
    void endTextRun(Box b);
    void recordCheck();
    void helpKey(Box b);
    GridItem* currentItem();
    void fillPictures(ExerciseKind kind);
    void fillTexts(ExerciseKind kind);
    void fillReview(ExerciseKind kind);
    // The cells of the word grid a word of `characters` characters takes.
    static int wordReviewCells(int characters);
    void continueRun();
    void newRun();
    void stopClocks() { clocks.gauge = clocks.speed = false; }
    // The observer's view of a run: the current item shown, and a run under
    // way left unfinished (said once).
    void observeCurrentItem();
    void endObservedRun(int speed, bool finished);
    // The speed a finished picture run shows at the clock's next tick.
    int finalPictureSpeed() const;
    void leaveObservedRun();
    bool sound() const { return host_.soundOptionTicked(); }
    void cue(Cue c) {
        if (sound())
            host_.playCue(c);
    }
    void bumpGauge(int& gauge) { gauge = gauge + levelStep > 100 ? 100 : gauge + levelStep; }
    // The items of a course step that a learner at the step's speed answers
    // before the time is up, with a fifth of the time to spare.
    std::size_t courseItemsInTime(std::size_t items) const;
    // The items of the course step's run, drawn from its list (a course run is going).
    std::vector<std::pair<QString, QString>> drawCourseItems();
    // A finished course run says whether it counts for its step.
    void sayCourseVerdict(int speed);

    TrainingHost& host_;
    QString folder_;
    std::unique_ptr<RandomDraw> random_;
    ReviewProvider reviewProvider_;
    DrillProvider drillProvider_;
    RunObserver* observer_;
    bool observedRunOpen_ = false;
    RunState run_ = RunState::Idle;
    bool hintPlaced_ = false; // the automatic hint put the code in the picture box
};

} // namespace training
