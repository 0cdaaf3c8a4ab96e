#pragma once

#include "platform/pad_key.h"
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
    virtual bool judgeRecord(int kind, const QString& score) = 0;
    // The name entry of a new record (modal): RecordSlot, RecordScore.
    virtual void enterRecordName(int slot, const QString& score) = 0;
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
    int kind = 0;
    int speed = 0; // the speed in 字/分 the step asks for; 0: none
    std::vector<std::pair<QString, QString>> items;
    QString digits;
    QStringList message;
    // What a finished run of the step comes to, in the four message lines
    // (answered items, wrong answers, F1 look-ups, speed); none: nothing said.
    std::function<QStringList(int answered, int wrong, int lookups, int speed)> verdict;
};

// One input box of a page: the picture box Labelhint1, the character box
// Editinput, the word box Editinput2. Positions are in the page's grid panel.
// The flow keeps the box's text: the window forwards every key the box gets
// and shows the text the flow leaves.
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

// A key pressed in an input box: the keypad or main-keyboard key, whether it
// came from the numeric keypad, F1, and the text the key types ("" for keys
// that type nothing).
struct AnswerKey {
    PadKey key = PadKey::Other;
    int digit = 0;
    bool keypad = false;
    bool f1 = false;
    QString text;
};

// The practice flow of the training window: the chosen exercise, the run
// states (idle, running, paused, time up, finished), the time gauge, the
// speed clock and the grids filled at Start. It holds what the window shows;
// the window draws these fields after every event and keeps its timers in
// step with the Timer… flags.
class TrainingFlow {
public:
    explicit TrainingFlow(TrainingHost& host);

    // Window events.
    void FormShow();
    void TabbedNotebook2Click(Page page); // the page that became active
    void exerciseButtonClick(int kind);
    void SBtnStartClick();
    void SBtnPauseClick();
    void sbHelpClick();
    void SBtnSetupClick();
    void sbAboutClick();
    void historyClick(); // "学习记录"
    // "弱点练习": the character review's page and rules over characters
    // chosen for one weak corner (`target`, else the corner confused most);
    // the run starts at once.
    void drillClick(const std::optional<DrillTarget>& target);
    // A step of the course: its exercise's page, its items; the run starts at
    // once and is recorded as that step.
    void courseClick(const CourseRun& run);
    void SBtnQuitClick();
    void activated();   // the window became the active window
    void FormClose();   // the window is closing
    void Timer1Timer(); // time gauge, 1200 ms
    void Timer2Timer(); // explanation panel, 100 ms, once
    void Timer3Timer(); // speed clock, 1000 ms
    void TimertimeTimer(const QString& timeOfDay);
    // A key pressed in an input box: its key-down steps, then the character
    // it types (which the box's digit filter sees).
    void boxKeyPress(Box b, const AnswerKey& key);
    void BitBtn1Click(); // "编码图解"
    // The mascot, 200 ms: over ten ticks the face is closed (1-3), open
    // (4-6), closed (7), open (8-9), closed (10). A stopped animation leaves
    // the face last shown.
    void Timer4Timer();

    // Operations of the practice flow.
    void ResetExercise(int oldKind);
    void HideItems(int kind);
    void setMessages(const QString& a, const QString& b, const QString& c, const QString& d);
    // Places the items of a run (pictures, characters or words). Throws
    // UserError naming the file or folder when there is nothing to draw;
    // the grid is then left as it was.
    void FillGrid(int kind);

    // The run state, as the command buttons and clocks show it.
    enum class RunState { Idle, Running, TimeUp, Other };
    RunState runState() const;

    void setRandomDraw(std::unique_ptr<RandomDraw> draw) { random_ = std::move(draw); }
    // Where the reviews take their items; without one they take the frequent
    // items and say so.
    void setReviewProvider(ReviewProvider provider) { reviewProvider_ = std::move(provider); }
    void setDrillProvider(DrillProvider provider) { drillProvider_ = std::move(provider); }
    // The character review's runs are drills of a weak corner until another
    // exercise is chosen.
    bool DrillChosen = false;
    std::optional<DrillTarget> drillTarget;
    // The exercise's runs are the course's step until another exercise is chosen.
    std::optional<CourseRun> courseRun;
    // The wrong answers and F1 look-ups of the run under way.
    int RunWrong = 0;
    int RunLookups = 0;
    // The corner the drill under way keeps to; -1 when none.
    int DrilledCorner = -1;
    // Who takes note of the runs (null: nobody).
    void setRunObserver(RunObserver* observer);

    // Settings (the settings dialog writes them).
    int LevelStep = 1;
    QString LevelName = QStringLiteral("初级能手");
    int HintAfter = 2;

    // Run state.
    int ExerciseKind = 0;
    Page activePage = Page::Basic;
    int SpeedSeconds = 0;
    bool SpeedClockOn = false;
    bool FinalSpeedDue = false;
    int ItemsTotal = 0;
    int ItemsLeft = 0;
    int CurrentItem = 0;
    int CharPageLast = 3;
    int WordPageLast = 7;
    int PictureColumn = 0; // column of the current picture
    int BoxColumn = 0;     // column of the character or word box
    // The word review's positions in the order they are answered: a word
    // takes as many cells of its row as its length needs (empty otherwise).
    std::vector<int> WordReviewPositions;
    ReviewSlots review;
    Grids grids;

    // Answer entry.
    QString PendingText;
    bool PendingActive = false;
    std::array<bool, 3> HintShown{}; // by box: F1 has put the code into it
    int PictureWrongCount = 0, CharWrongCount = 0, WordWrongCount = 0;
    std::string DiagramChar; // GBK, the character of the last F1 on the character page
    static constexpr int kBoxMaxLength = 7; // the character and word boxes
    // Why an answer on the character or word page is wrong: the coach
    // decides, the note is shown until the next key in the box.
    WrongCodeCoach coach;
    CoachNote coachNote;

    // What the window shows.
    std::array<QString, 4> Labelplay;
    int Gauge1 = 0, Gauge2 = 0; // 0-100
    bool gaugesShown = true;
    QString Labeljifen = QStringLiteral("0");
    Vehicle vehicle = Vehicle::Bike;
    QString Label1; // time of day
    QString startCaption = QStringLiteral("开始");
    bool SBtnStartEnabled = true;
    bool SBtnPauseEnabled = false;
    bool SBtnSetupEnabled = true;
    bool sbAboutEnabled = true;
    bool BitBtn1Shown = false;
    bool faceClosedShown = true;
    bool faceOpenShown = false; // the open face lies over the closed one
    int FaceTick = 0;           // 0-10, not reset when the animation starts
    std::array<InputBox, 3> boxes;
    int focusBox = -1; // the box that should take the focus, or -1
    bool Timer1On = false, Timer2On = false, Timer3On = false, Timer4On = false,
         TimertimeOn = false;

    InputBox& box(Box b) { return boxes[static_cast<size_t>(b)]; }
    const InputBox& box(Box b) const { return boxes[static_cast<size_t>(b)]; }
    // The input box of a kind's page.
    static Box boxOf(int kind);

    // First places of the boxes at Start, and where leaving an exercise puts them.
    static constexpr QPoint kPictureBoxStart{15, 62};
    static constexpr QPoint kCharBoxStart{8, 44};
    static constexpr QPoint kWordBoxStart{2, 34};
    static constexpr QPoint kCharBoxRest{8, 34};
    static constexpr QPoint kWordBoxRest{5, 24};

    // The text of a box changed by the program, with the box's change
    // handler (digit filter, pending text) run at once, as for a typed change.
    void setBoxText(Box b, const QString& text);
    // "statement/<DiagramChar>.bmp" in the program folder.
    QString diagramPath() const;

    // The program folder: the exercises, the explanation texts and the code
    // diagrams are read from it, and the window is given their full paths.
    void setProgramFolder(const QString& folder) { folder_ = folder; }
    // A data path ("hzlib/z1.txt") in the program folder.
    QString inProgramFolder(const QString& relative) const;

private:
    // Answer entry: the box's change handler; a submitted answer judged; the
    // right and wrong steps of each box; F1.
    void boxChange(Box b);
    void typeCharacter(Box b, const AnswerKey& key);
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
    void fillPictures(int kind);
    void fillTexts(int kind);
    void fillReview(int kind);
    // The cells of the word grid a word of `characters` characters takes.
    static int wordReviewCells(int characters);
    void continueRun();
    void newRun();
    void stopClocks() { Timer1On = Timer3On = false; }
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
    void bumpGauge(int& gauge) { gauge = gauge + LevelStep > 100 ? 100 : gauge + LevelStep; }
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
    bool hintPlaced_ = false; // the automatic hint put the code in the picture box
};

} // namespace training
