#include "training/training_flow.h"

#include "platform/gbk_codec.h"
#include "platform/regular_file.h"
#include "platform/user_error.h"
#include "training/exercise_source.h"
#include "training/history_link.h"

#include <QFile>

#include <algorithm>
#include <numeric>
#include <span>

namespace training {

namespace {
RunObserver& nobody() {
    static RunObserver none;
    return none;
}
} // namespace

TrainingFlow::TrainingFlow(TrainingHost& host)
    : host_(host), random_(std::make_unique<ClockSeededDraw>()), observer_(&nobody()) {
    review.emptyCharacters();
    review.emptyWords();
}

QString TrainingFlow::inProgramFolder(const QString& relative) const {
    return regularfile::inFolder(folder_, relative);
}

void TrainingFlow::setRunObserver(RunObserver* observer) {
    observer_ = observer ? observer : &nobody();
}

void TrainingFlow::observeCurrentItem() {
    // A stroke picture is known by its digit.
    if (const GridItem* item = currentItem())
        observer_->itemShown(item->text.empty() ? item->code : gbk::toUnicode(item->text),
                             item->code);
}

void TrainingFlow::endObservedRun(int speed, bool finished) {
    if (!observedRunOpen_)
        return;
    observedRunOpen_ = false;
    observer_->runEnded(speed, finished);
}

void TrainingFlow::leaveObservedRun() {
    endObservedRun(Labeljifen.toInt(), false);
}

Box TrainingFlow::boxOf(int kind) {
    if (isPictureKind(kind))
        return Box::Picture;
    return isCharacterKind(kind) ? Box::Character : Box::Word;
}

void TrainingFlow::setMessages(const QString& a, const QString& b, const QString& c,
                               const QString& d) {
    Labelplay = {a, b, c, d};
}

TrainingFlow::RunState TrainingFlow::runState() const {
    if (SBtnStartEnabled && startCaption == QStringLiteral("开始") && !SBtnPauseEnabled &&
        SBtnSetupEnabled && !Timer1On && !Timer3On)
        return RunState::Idle;
    if (!SBtnStartEnabled && SBtnPauseEnabled && !SBtnSetupEnabled && Timer1On && Timer3On)
        return RunState::Running;
    if (SBtnStartEnabled && startCaption == QStringLiteral("继续") && !SBtnPauseEnabled &&
        !Timer1On && Gauge2 >= 100)
        return RunState::TimeUp;
    return RunState::Other;
}

void TrainingFlow::FormShow() {
    box(Box::Picture).visible = false;
    CharPageLast = 3;
    WordPageLast = 7;
    box(Box::Character).visible = false;
    box(Box::Word).visible = false;
    review.rewind();
    BitBtn1Shown = false;
    Timer2On = TimertimeOn = Timer4On = true;
    faceClosedShown = true;
    setMessages(QStringLiteral("欢迎您使用"), QStringLiteral("请选择训练项目"), QString(),
                QString());
    TabbedNotebook2Click(activePage);
}

void TrainingFlow::TabbedNotebook2Click(Page p) {
    leaveObservedRun();
    activePage = p;
    Timer4On = true;
    Gauge1 = Gauge2 = 0;
    Timer1On = false;
    for (InputBox& b : boxes)
        b.visible = false;
    SBtnStartEnabled = SBtnSetupEnabled = sbAboutEnabled = true;
    SBtnPauseEnabled = false;
    review.rewind();
    HideItems(ExerciseKind);
    const PageInfo& info = page(p);
    setMessages(QString::fromUtf16(info.messages[0]), QString::fromUtf16(info.messages[1]),
                QString::fromUtf16(info.messages[2]), QString::fromUtf16(info.messages[3]));
    ExerciseKind = info.defaultKind;
    host_.showPanel(inProgramFolder(QString::fromLatin1(info.panelText)));
}

void TrainingFlow::Timer2Timer() {
    Timer2On = false;
    // The panel explains the page that is active.
    host_.showPanel(inProgramFolder(QString::fromLatin1(page(activePage).panelText)));
}

void TrainingFlow::exerciseButtonClick(int k) {
    DrillChosen = false;
    courseRun.reset();
    ResetExercise(ExerciseKind);
    ExerciseKind = k;
    if (isCharacterKind(k) && CharPageLast != k)
        review.emptyCharacters();
    if (isWordKind(k) && WordPageLast != k)
        review.emptyWords();
    if (isPictureKind(k))
        box(Box::Picture).visible = false;
    faceClosedShown = true;
    Timer4On = true;
    setMessages(QString::fromUtf16(kind(k).chosenTitle), QStringLiteral("请按<开始>键"), QString(),
                QString());
}

void TrainingFlow::drillClick(const std::optional<DrillTarget>& target) {
    if (activePage != Page::Characters)
        TabbedNotebook2Click(Page::Characters);
    exerciseButtonClick(kCharacterReview);
    Timer2On = false; // the page's explanation is not wanted over a drill
    DrillChosen = true;
    drillTarget = target;
    DrilledCorner = -1;
    SBtnStartClick();
    // Before the first answer, the corner drilled in the first character,
    // its stroke lit: the shape to look for.
    if (runState() == RunState::Running && DrilledCorner >= 0)
        if (const GridItem* item = currentItem())
            coachNote = coach.cornerNote(gbk::toUnicode(item->text), DrilledCorner);
}

std::size_t TrainingFlow::courseItemsInTime(std::size_t items) const {
    if (!courseRun || courseRun->speed <= 0 || LevelStep <= 0)
        return items;
    // Two gauges of 100 at LevelStep a tick of 1.2 s.
    const long long seconds = 2LL * ((100 + LevelStep - 1) / LevelStep) * 6 / 5;
    const long long reached = courseRun->speed * seconds * 4 / (5 * 60);
    return std::min(items, static_cast<std::size_t>(std::max(1LL, reached)));
}

std::vector<std::pair<QString, QString>> TrainingFlow::drawCourseItems() {
    // Each item once, as many as the step's speed reaches in the time: the
    // whole grid of repeated items took three times the time. When the time
    // holds fewer than the step has, a different part of its list each run
    // (in the list's order), so that every item comes up over the runs.
    const auto& all = courseRun->items;
    const std::size_t n = courseItemsInTime(all.size());
    std::vector<std::size_t> chosen(all.size());
    std::iota(chosen.begin(), chosen.end(), std::size_t{0});
    for (std::size_t i = 0; i < n && n < all.size(); ++i)
        std::swap(
            chosen[i],
            chosen[i + static_cast<std::size_t>(random_->below(static_cast<int>(all.size() - i)))]);
    chosen.resize(n);
    std::sort(chosen.begin(), chosen.end());
    std::vector<std::pair<QString, QString>> items;
    for (std::size_t i : chosen)
        items.push_back(all[i]);
    return items;
}

void TrainingFlow::sayCourseVerdict(int speed) {
    if (!courseRun || !courseRun->verdict)
        return;
    const QStringList lines = courseRun->verdict(ItemsTotal, RunWrong, RunLookups, speed);
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 4); ++i)
        Labelplay[static_cast<size_t>(i)] = lines[i];
}

void TrainingFlow::courseClick(const CourseRun& run) {
    const Page p = kind(run.kind).page;
    if (activePage != p)
        TabbedNotebook2Click(p);
    exerciseButtonClick(run.kind);
    Timer2On = false; // the page's explanation is not wanted over a step of the course
    courseRun = run;
    SBtnStartClick();
}

void TrainingFlow::ResetExercise(int oldKind) {
    leaveObservedRun();
    review.rewind();
    if (isCharacterKind(oldKind)) {
        InputBox& b = box(Box::Character);
        b.pos = kCharBoxRest;
        setBoxText(Box::Character, QString());
        CharPageLast = oldKind;
        b.visible = false;
    } else if (isWordKind(oldKind)) {
        InputBox& b = box(Box::Word);
        b.pos = kWordBoxRest;
        setBoxText(Box::Word, QString());
        WordPageLast = oldKind;
        b.visible = false;
    }
    host_.closePanel();
    HideItems(ExerciseKind);
    // The note on the last wrong code goes with its exercise.
    coachNote = {};
    SBtnStartEnabled = SBtnSetupEnabled = sbAboutEnabled = true;
    Gauge1 = Gauge2 = 0;
    Timer1On = false;
    host_.closePause();
    SBtnPauseEnabled = false;
}

void TrainingFlow::HideItems(int k) {
    SpeedSeconds = 0;
    Timer3On = false;
    Labeljifen.clear();
    startCaption = QStringLiteral("开始");
    BitBtn1Shown = false;
    auto hide = [](auto& items) {
        for (GridItem& item : items) {
            item.visible = false;
            item.look = ItemLook::Pending;
        }
    };
    switch (pageOf(k)) {
    case Page::Basic:
        hide(grids.pictures);
        break;
    case Page::Characters:
        hide(grids.characters);
        break;
    case Page::Words:
        hide(grids.words);
        break;
    }
}

void TrainingFlow::SBtnStartClick() {
    if (Gauge2 >= 100)
        continueRun();
    else
        newRun();
}

void TrainingFlow::continueRun() {
    startCaption = QStringLiteral("开始");
    SBtnStartEnabled = SBtnSetupEnabled = sbAboutEnabled = false;
    SBtnPauseEnabled = true;
    Gauge1 = Gauge2 = 0;
    setMessages(QStringLiteral("加油啊！"), QString(), QString(), QString());
    Timer1On = Timer3On = Timer4On = true;
    if (isCharacterKind(ExerciseKind) || isWordKind(ExerciseKind)) {
        const Box b = boxOf(ExerciseKind);
        box(b).enabled = true;
        focusBox = static_cast<int>(b);
    }
}

void TrainingFlow::newRun() {
    leaveObservedRun();
    cue(Cue::Start);
    host_.closePanel();
    SBtnPauseEnabled = true;
    sbAboutEnabled = SBtnSetupEnabled = false;
    Timer4On = true;
    SpeedClockOn = true;
    vehicle = Vehicle::Bike;
    SpeedSeconds = 0;
    Labeljifen.clear();
    Gauge1 = Gauge2 = 0;
    PictureColumn = 0;
    WordReviewPositions.clear();
    coach.reset();
    coachNote = {};
    RunWrong = RunLookups = 0;
    setMessages(QString::fromUtf16(kind(ExerciseKind).startTitle), QStringLiteral("按F1键帮助"),
                QString(), QString());
    try {
        FillGrid(ExerciseKind);
    } catch (...) {
        // Nothing to practise: Start ends here with the clocks stopped, and
        // the buttons are those of the idle window, so that "暂停" cannot
        // start the clocks of a run that never began.
        SBtnPauseEnabled = false;
        sbAboutEnabled = SBtnSetupEnabled = true;
        throw;
    }
    const QPoint starts[3] = {kPictureBoxStart, kCharBoxStart, kWordBoxStart};
    for (Box b : {Box::Picture, Box::Character, Box::Word}) {
        InputBox& x = box(b);
        x.pos = starts[static_cast<size_t>(b)];
        x.visible = x.enabled = true;
        setBoxText(b, QString());
    }
    BoxColumn = 0;
    review.rewind();
    // A course run goes under its step's name, not under the exercise it
    // borrows (a character step is no 错字复习训练), also when 开始 starts
    // it again; the exercise's hint stays below.
    if (courseRun && courseRun->message.size() >= 2)
        setMessages(courseRun->message[0], courseRun->message[1], QStringLiteral("按F1键帮助"),
                    QString());
    focusBox = static_cast<int>(boxOf(ExerciseKind));
    observer_->runStarted(ExerciseKind, LevelStep);
    if (courseRun)
        observer_->runIsCourseStep(courseRun->step);
    observedRunOpen_ = true;
    observeCurrentItem();
    host_.waitBeforeClocks();
    Timer1On = Timer3On = true;
    SBtnStartEnabled = SBtnSetupEnabled = false;
}

void TrainingFlow::FillGrid(int k) {
    if (isPictureKind(k))
        fillPictures(k);
    else
        fillTexts(k);
}

void TrainingFlow::fillPictures(int k) {
    const QString folder = inProgramFolder(QString::fromLatin1(kind(k).source));
    QStringList pictures = ListPictures(folder);
    // A step of the course draws the pictures of its digits only.
    if (courseRun && !courseRun->digits.isEmpty())
        pictures.removeIf([this](const QString& path) {
            const QString code = CodeFromFileName(path);
            return code.size() != 1 || !courseRun->digits.contains(code);
        });
    if (pictures.isEmpty())
        throw UserError(QStringLiteral("练习文件夹“%1”里没有图片（*.bmp），不能开始练习。")
                            .arg(regularfile::fullPath(folder)));
    ItemsTotal = ItemsLeft = kPictureItems;
    random_->seedFromClock();
    for (GridItem& item : grids.pictures) {
        const QString& path = pictures[random_->below(static_cast<int>(pictures.size()))];
        item.visible = true;
        item.code = CodeFromFileName(path);
        item.picturePath = path;
        item.text.clear();
        item.look = ItemLook::Pending;
    }
    CurrentItem = 0;
}

void TrainingFlow::fillTexts(int k) {
    if (isReviewKind(k)) {
        fillReview(k);
        return;
    }
    const KindInfo& info = kind(k);
    const ExerciseFile file(inProgramFolder(QString::fromLatin1(info.source)), info.recordLength,
                            info.textBytes, info.textTrimmed);
    const int records = file.recordCount();
    const bool characters = isCharacterKind(k);
    ItemsTotal = ItemsLeft = info.itemsPerRun;
    random_->seedFromClock();
    auto place = [&](GridItem& item, const ReviewSlot& slot) {
        if (!slot.code.empty())
            item.code = QString::fromLatin1(slot.code);
        item.text = slot.text;
        item.otherCodes.clear();
        item.visible = true;
        item.look = ItemLook::Pending;
        item.picturePath.clear();
        if (item.text.empty()) {
            const int r = random_->below(records);
            const ItemRecord rec = file.LoadItemRecord(static_cast<qint64>(r) * info.recordLength);
            item.code = QString::fromLatin1(rec.code);
            item.text = rec.text;
        }
    };
    if (characters) {
        for (size_t p = 0; p < grids.characters.size(); ++p)
            place(grids.characters[p], review.CharReview[p]);
        grids.characters[0].look = ItemLook::Current;
    } else if (k == kMultiWordKind) {
        for (int p : kMultiWordPositions)
            place(grids.words[static_cast<size_t>(p)], review.WordReview[static_cast<size_t>(p)]);
        grids.words[0].look = ItemLook::Current;
    } else {
        for (size_t p = 0; p < grids.words.size(); ++p)
            place(grids.words[p], review.WordReview[p]);
        grids.words[0].look = ItemLook::Current;
    }
    CurrentItem = 0;
}

int TrainingFlow::wordReviewCells(int characters) {
    // A cell of the word grid holds four characters of its type.
    return std::clamp((characters + 3) / 4, 1, kWordColumns);
}

void TrainingFlow::fillReview(int k) {
    const KindInfo& info = kind(k);
    const QString source = inProgramFolder(QString::fromLatin1(info.source));
    const ExerciseFile file(source, info.recordLength, info.textBytes, info.textTrimmed);
    const int count = info.itemsPerRun;
    // The frequent items that fill up a short history: the file's first
    // records, which are the most frequent.
    std::vector<std::pair<QString, QString>> frequent;
    for (int r = 0; r < file.recordCount() && static_cast<int>(frequent.size()) < count; ++r) {
        const ItemRecord rec = file.LoadItemRecord(static_cast<qint64>(r) * info.recordLength);
        if (!rec.code.empty() && !rec.text.empty())
            frequent.emplace_back(gbk::toUnicode(rec.text), QString::fromLatin1(rec.code));
    }
    const bool words = k == kWordReview;
    ReviewItems drawn;
    if (courseRun && !courseRun->items.empty()) {
        drawn.items = drawCourseItems();
        drawn.wholeGrid = false;
        drawn.message = courseRun->message;
    } else if (DrillChosen && !words) {
        // The whole file, most frequent first: the drill takes the
        // characters that fit its corner from all of them.
        QStringList byFrequency;
        for (int r = 0; r < file.recordCount(); ++r) {
            const ItemRecord rec = file.LoadItemRecord(static_cast<qint64>(r) * info.recordLength);
            if (!rec.text.empty())
                byFrequency << gbk::toUnicode(rec.text);
        }
        if (drillProvider_)
            drawn = drillProvider_(drillTarget, count, byFrequency);
        DrilledCorner = drawn.drilled ? drawn.drilled->corner : -1;
        if (drawn.items.empty()) {
            // No history or no weak corner yet: the frequent characters.
            drawn.items = frequent;
            if (drawn.message.size() < 2)
                drawn.message = {QStringLiteral("学习记录无法打开，"),
                                 QStringLiteral("先复习常用字。")};
        }
    } else if (reviewProvider_) {
        drawn = reviewProvider_(words, count, frequent);
    } else {
        drawn.items = frequent;
        drawn.message =
            QStringList{QStringLiteral("没有学习记录，"), words ? QStringLiteral("先复习常用词。")
                                                                : QStringLiteral("先复习常用字。")};
    }
    if (drawn.items.empty())
        throw UserError(QStringLiteral("练习文件“%1”里没有可复习的项目，不能开始练习。")
                            .arg(regularfile::fullPath(source)));
    const std::span<GridItem> grid =
        words ? std::span<GridItem>(grids.words) : std::span<GridItem>(grids.characters);
    // The cells a word spreads over, and those left over from a run laid out
    // for other lengths, stay empty.
    for (GridItem& item : grid) {
        item.visible = false;
        item.look = ItemLook::Pending;
    }
    // Characters take one cell each. A word takes the cells of its row that
    // its length needs, the cells it spreads over stay empty, and a word that
    // does not fit the rest of a row starts the next one.
    std::vector<int> positions;
    const int placed =
        drawn.wholeGrid ? count : std::min(count, static_cast<int>(drawn.items.size()));
    for (int n = 0, p = 0; n < placed && p < static_cast<int>(grid.size()); ++n) {
        const int length =
            static_cast<int>(drawn.items[static_cast<size_t>(n) % drawn.items.size()].first.size());
        const int cells = words ? wordReviewCells(length) : 1;
        if (words && p % kWordColumns + cells > kWordColumns)
            p += kWordColumns - p % kWordColumns;
        if (p >= static_cast<int>(grid.size()))
            break;
        positions.push_back(p);
        p += cells;
    }
    ItemsTotal = ItemsLeft = static_cast<int>(positions.size());
    // Words spread over two cells can leave the last drawn items without a
    // place: they were the added frequent ones, and the message counts what shows.
    const int drawnCount = static_cast<int>(drawn.items.size());
    if (drawn.filled > 0 && ItemsTotal < drawnCount) {
        const int fromHistory = drawnCount - drawn.filled;
        drawn.message = training::reviewTopUpMessage(std::min(fromHistory, ItemsTotal),
                                                     std::max(0, ItemsTotal - fromHistory), words);
    }
    for (size_t n = 0; n < positions.size(); ++n) {
        // A history and a file shorter than the grid: the items come round again.
        const auto& [text, code] = drawn.items[n % drawn.items.size()];
        GridItem& item = grid[static_cast<size_t>(positions[n])];
        item.text = gbk::fromUnicodeLossy(text);
        item.code = code;
        const auto other = drawn.otherCodes.find(text);
        item.otherCodes = other != drawn.otherCodes.end() ? other->second : QStringList();
        item.visible = true;
        item.look = ItemLook::Pending;
        item.picturePath.clear();
    }
    if (words)
        WordReviewPositions = positions;
    grid[0].look = ItemLook::Current;
    if (drawn.message.size() >= 2) {
        Labelplay[2] = drawn.message[0];
        Labelplay[3] = drawn.message[1];
    }
    CurrentItem = 0;
}

void TrainingFlow::Timer1Timer() {
    if (Gauge1 < 100) {
        bumpGauge(Gauge1);
    } else {
        if (Gauge2 == 0)
            cue(Cue::Cheer);
        if (Gauge2 < 100) {
            Timer4On = true;
            setMessages(QStringLiteral("加油啊！"), QStringLiteral("加油啊！"), QString(),
                        QString());
            bumpGauge(Gauge2);
        } else {
            Timer1On = false;
        }
    }
    if (Gauge1 == 50) {
        Timer4On = true;
        cue(Cue::Cheer);
        setMessages(QStringLiteral("加油啊！"), QStringLiteral("加油啊！"), QString(), QString());
    }
    if (Gauge2 == 100) {
        SBtnStartEnabled = true;
        startCaption = QStringLiteral("继续");
        Timer4On = true;
        // A course step has no level to reach: it says how to go on.
        if (courseRun)
            setMessages(QStringLiteral("时间到了。"), QStringLiteral("加油啊！"),
                        QStringLiteral("按回车或《继续》"), QStringLiteral("接着练完这一步。"));
        else
            setMessages(QStringLiteral("你离\"%1\"").arg(LevelName),
                        QStringLiteral("还有一点距离."), QStringLiteral("加油啊！"),
                        QStringLiteral("可按<继续>键继续."));
        SBtnPauseEnabled = false;
        Timer1On = false;
        box(Box::Character).enabled = false;
        box(Box::Word).enabled = false;
        cue(Cue::TimeUp);
    }
}

int TrainingFlow::finalPictureSpeed() const {
    // A run answered within the same second as its start still counts one second.
    return perMinute(ItemsTotal, SpeedSeconds > 0 ? SpeedSeconds : 1);
}

void TrainingFlow::Timer3Timer() {
    if (SpeedClockOn) {
        ++SpeedSeconds;
        if (SpeedSeconds % 10 == 0) {
            const int speed = perMinute(static_cast<long long>(ItemsTotal - ItemsLeft) *
                                            kind(ExerciseKind).speedFactor,
                                        SpeedSeconds);
            Labeljifen = QString::number(speed);
            vehicle = vehicleFor(speed);
        }
    }
    if (ItemsLeft == 0 && FinalSpeedDue) {
        Labeljifen = QString::number(finalPictureSpeed());
        SpeedSeconds = 0;
        FinalSpeedDue = false;
    }
}

void TrainingFlow::TimertimeTimer(const QString& timeOfDay) {
    Label1 = timeOfDay;
}

void TrainingFlow::SBtnPauseClick() {
    // A run with nothing left to answer cannot be paused or go on.
    if (!SBtnPauseEnabled)
        return;
    Timer1On = Timer3On = Timer4On = false;
    cue(Cue::PauseMusic);
    host_.showPause();
    host_.closeMediaPlayer();
    Timer1On = Timer3On = Timer4On = true;
}

void TrainingFlow::sbHelpClick() {
    stopClocks();
    const QString file = inProgramFolder(QStringLiteral("files/tvmsm.rtf"));
    if (QFile::exists(file))
        host_.showHelp(file);
    if (!SBtnStartEnabled)
        Timer1On = Timer3On = true;
}

void TrainingFlow::SBtnSetupClick() {
    stopClocks();
    if (!host_.soundCanPlay())
        host_.disableSoundOption();
    host_.showSettings();
}

void TrainingFlow::sbAboutClick() {
    stopClocks();
    host_.showRecordHolders();
}

void TrainingFlow::historyClick() {
    // The learning history waits like the help: a run under way gets its
    // clocks and its input box back when the window closes.
    stopClocks();
    host_.showHistory();
    if (!SBtnStartEnabled) {
        Timer1On = Timer3On = true;
        focusBox = static_cast<int>(boxOf(ExerciseKind));
    }
}

void TrainingFlow::SBtnQuitClick() {
    if (!host_.askQuit())
        return;
    // The run left is kept with the speed the window showed, before the
    // items and the speed are cleared.
    leaveObservedRun();
    HideItems(ExerciseKind);
    ResetExercise(ExerciseKind);
    host_.closeWindow();
}

void TrainingFlow::activated() {
    host_.closePanel();
}

void TrainingFlow::FormClose() {
    leaveObservedRun();
    Timer1On = Timer2On = Timer3On = Timer4On = TimertimeOn = false;
    host_.closePanel();
}

void TrainingFlow::Timer4Timer() {
    faceClosedShown = true;
    const int t = FaceTick++;
    if (t == 3) {
        faceClosedShown = false;
        faceOpenShown = true;
    }
    if (FaceTick == 7) {
        faceClosedShown = true;
        faceOpenShown = false;
    }
    if (FaceTick == 8) {
        faceClosedShown = false;
        faceOpenShown = true;
    }
    if (FaceTick == 10) {
        faceClosedShown = true;
        faceOpenShown = false;
        FaceTick = 0;
    }
}

} // namespace training
