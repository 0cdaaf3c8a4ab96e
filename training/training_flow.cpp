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
    endObservedRun(speedText.toInt(), false);
}

Box TrainingFlow::boxOf(ExerciseKind kind) {
    if (isPictureKind(kind))
        return Box::Picture;
    return isCharacterKind(kind) ? Box::Character : Box::Word;
}

void TrainingFlow::setMessages(const QString& a, const QString& b, const QString& c,
                               const QString& d) {
    messages = {a, b, c, d};
}

void TrainingFlow::opened() {
    box(Box::Picture).visible = false;
    lastCharacterExercise = ExerciseKind::FullCodeCharacters;
    lastWordExercise = ExerciseKind::TwoCharacterWords;
    box(Box::Character).visible = false;
    box(Box::Word).visible = false;
    review.rewind();
    buttons.diagramShown = false;
    clocks.panelDelay = clocks.timeOfDay = clocks.face = true;
    face.closedShown = true;
    setMessages(QStringLiteral("欢迎您使用"), QStringLiteral("请选择训练项目"), QString(),
                QString());
    choosePage(activePage);
}

void TrainingFlow::choosePage(Page p) {
    leaveObservedRun();
    run_ = RunState::Idle;
    activePage = p;
    clocks.face = true;
    gauges.first = gauges.second = 0;
    clocks.gauge = false;
    for (InputBox& b : boxes)
        b.visible = false;
    buttons.startEnabled = buttons.settingsEnabled = buttons.recordsEnabled = true;
    buttons.pauseEnabled = false;
    review.rewind();
    hideItems(exercise);
    const PageInfo& info = page(p);
    setMessages(QString::fromUtf16(info.messages[0]), QString::fromUtf16(info.messages[1]),
                QString::fromUtf16(info.messages[2]), QString::fromUtf16(info.messages[3]));
    exercise = info.defaultKind;
    host_.showPanel(inProgramFolder(QString::fromLatin1(info.panelText)));
}

void TrainingFlow::tickPanelDelay() {
    clocks.panelDelay = false;
    // The panel explains the page that is active.
    host_.showPanel(inProgramFolder(QString::fromLatin1(page(activePage).panelText)));
}

void TrainingFlow::chooseExercise(ExerciseKind k) {
    drillChosen = false;
    courseRun.reset();
    leaveExercise(exercise);
    exercise = k;
    if (isCharacterKind(k) && lastCharacterExercise != k)
        review.emptyCharacters();
    if (isWordKind(k) && lastWordExercise != k)
        review.emptyWords();
    if (isPictureKind(k))
        box(Box::Picture).visible = false;
    face.closedShown = true;
    clocks.face = true;
    setMessages(QString::fromUtf16(kind(k).chosenTitle), QStringLiteral("请按<开始>键"), QString(),
                QString());
}

void TrainingFlow::startDrill(const std::optional<DrillTarget>& target) {
    if (activePage != Page::Characters)
        choosePage(Page::Characters);
    chooseExercise(ExerciseKind::CharacterReview);
    clocks.panelDelay = false; // the page's explanation is not wanted over a drill
    drillChosen = true;
    drillTarget = target;
    drilledCorner = -1;
    start();
    // Before the first answer, the corner drilled in the first character,
    // its stroke lit: the shape to look for.
    if (runState() == RunState::Running && drilledCorner >= 0)
        if (const GridItem* item = currentItem())
            coachNote = coach.cornerNote(gbk::toUnicode(item->text), drilledCorner);
}

std::size_t TrainingFlow::courseItemsInTime(std::size_t items) const {
    if (!courseRun || courseRun->speed <= 0 || levelStep <= 0)
        return items;
    // Two gauges of 100 at levelStep a tick of 1.2 s.
    const long long seconds = 2LL * ((100 + levelStep - 1) / levelStep) * 6 / 5;
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
    const QStringList lines = courseRun->verdict(itemsTotal, runWrong, runLookups, speed);
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 4); ++i)
        messages[static_cast<size_t>(i)] = lines[i];
}

void TrainingFlow::startCourseStep(const CourseRun& run) {
    const Page p = kind(run.kind).page;
    if (activePage != p)
        choosePage(p);
    chooseExercise(run.kind);
    clocks.panelDelay = false; // the page's explanation is not wanted over a step of the course
    courseRun = run;
    start();
}

void TrainingFlow::leaveExercise(ExerciseKind oldKind) {
    leaveObservedRun();
    run_ = RunState::Idle;
    review.rewind();
    if (isCharacterKind(oldKind)) {
        InputBox& b = box(Box::Character);
        b.pos = kCharBoxRest;
        setBoxText(Box::Character, QString());
        lastCharacterExercise = oldKind;
        b.visible = false;
    } else if (isWordKind(oldKind)) {
        InputBox& b = box(Box::Word);
        b.pos = kWordBoxRest;
        setBoxText(Box::Word, QString());
        lastWordExercise = oldKind;
        b.visible = false;
    }
    host_.closePanel();
    hideItems(exercise);
    // The note on the last wrong code goes with its exercise.
    coachNote = {};
    buttons.startEnabled = buttons.settingsEnabled = buttons.recordsEnabled = true;
    gauges.first = gauges.second = 0;
    clocks.gauge = false;
    host_.closePause();
    buttons.pauseEnabled = false;
}

void TrainingFlow::hideItems(ExerciseKind k) {
    speedSeconds = 0;
    clocks.speed = false;
    speedText.clear();
    buttons.startCaption = QStringLiteral("开始");
    buttons.diagramShown = false;
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

void TrainingFlow::start() {
    if (gauges.second >= 100)
        continueRun();
    else
        newRun();
}

void TrainingFlow::continueRun() {
    run_ = RunState::Running;
    buttons.startCaption = QStringLiteral("开始");
    buttons.startEnabled = buttons.settingsEnabled = buttons.recordsEnabled = false;
    buttons.pauseEnabled = true;
    gauges.first = gauges.second = 0;
    setMessages(QStringLiteral("加油啊！"), QString(), QString(), QString());
    clocks.gauge = clocks.speed = clocks.face = true;
    if (isCharacterKind(exercise) || isWordKind(exercise)) {
        const Box b = boxOf(exercise);
        box(b).enabled = true;
        focusBox = static_cast<int>(b);
    }
}

void TrainingFlow::newRun() {
    leaveObservedRun();
    run_ = RunState::Starting;
    cue(Cue::Start);
    host_.closePanel();
    buttons.pauseEnabled = true;
    buttons.recordsEnabled = buttons.settingsEnabled = false;
    clocks.face = true;
    speedCounting = true;
    vehicle = Vehicle::Bike;
    speedSeconds = 0;
    speedText.clear();
    gauges.first = gauges.second = 0;
    pictureColumn = 0;
    wordReviewPositions.clear();
    coach.reset();
    coachNote = {};
    runWrong = runLookups = 0;
    setMessages(QString::fromUtf16(kind(exercise).startTitle), QStringLiteral("按F1键帮助"),
                QString(), QString());
    try {
        fillGrid(exercise);
    } catch (...) {
        // Nothing to practise: Start ends here with the clocks stopped, and
        // the buttons are those of the idle window, so that "暂停" cannot
        // start the clocks of a run that never began.
        buttons.pauseEnabled = false;
        buttons.recordsEnabled = buttons.settingsEnabled = true;
        run_ = RunState::Idle;
        throw;
    }
    const QPoint starts[3] = {kPictureBoxStart, kCharBoxStart, kWordBoxStart};
    for (Box b : {Box::Picture, Box::Character, Box::Word}) {
        InputBox& x = box(b);
        x.pos = starts[static_cast<size_t>(b)];
        x.visible = x.enabled = true;
        setBoxText(b, QString());
    }
    boxColumn = 0;
    review.rewind();
    // A course run goes under its step's name, not under the exercise it
    // borrows (a character step is no 错字复习训练), also when 开始 starts
    // it again; the exercise's hint stays below.
    if (courseRun && courseRun->message.size() >= 2)
        setMessages(courseRun->message[0], courseRun->message[1], QStringLiteral("按F1键帮助"),
                    QString());
    focusBox = static_cast<int>(boxOf(exercise));
    observer_->runStarted(numberOf(exercise), levelStep);
    if (courseRun)
        observer_->runIsCourseStep(courseRun->step);
    observedRunOpen_ = true;
    observeCurrentItem();
    host_.waitBeforeClocks();
    run_ = RunState::Running;
    clocks.gauge = clocks.speed = true;
    buttons.startEnabled = buttons.settingsEnabled = false;
}

void TrainingFlow::fillGrid(ExerciseKind k) {
    if (isPictureKind(k))
        fillPictures(k);
    else
        fillTexts(k);
}

void TrainingFlow::fillPictures(ExerciseKind k) {
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
    itemsTotal = itemsLeft = kPictureItems;
    random_->seedFromClock();
    for (GridItem& item : grids.pictures) {
        const QString& path = pictures[random_->below(static_cast<int>(pictures.size()))];
        item.visible = true;
        item.code = CodeFromFileName(path);
        item.picturePath = path;
        item.text.clear();
        item.look = ItemLook::Pending;
    }
    currentIndex = 0;
}

void TrainingFlow::fillTexts(ExerciseKind k) {
    if (isReviewKind(k)) {
        fillReview(k);
        return;
    }
    const KindInfo& info = kind(k);
    const ExerciseFile file(inProgramFolder(QString::fromLatin1(info.source)), info.recordLength,
                            info.textBytes, info.textTrimmed);
    const int records = file.recordCount();
    const bool characters = isCharacterKind(k);
    itemsTotal = itemsLeft = info.itemsPerRun;
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
    } else if (k == ExerciseKind::LongWords) {
        for (int p : kMultiWordPositions)
            place(grids.words[static_cast<size_t>(p)], review.WordReview[static_cast<size_t>(p)]);
        grids.words[0].look = ItemLook::Current;
    } else {
        for (size_t p = 0; p < grids.words.size(); ++p)
            place(grids.words[p], review.WordReview[p]);
        grids.words[0].look = ItemLook::Current;
    }
    currentIndex = 0;
}

int TrainingFlow::wordReviewCells(int characters) {
    // A cell of the word grid holds four characters of its type.
    return std::clamp((characters + 3) / 4, 1, kWordColumns);
}

void TrainingFlow::fillReview(ExerciseKind k) {
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
    const bool words = k == ExerciseKind::WordReview;
    ReviewItems drawn;
    if (courseRun && !courseRun->items.empty()) {
        drawn.items = drawCourseItems();
        drawn.wholeGrid = false;
        drawn.message = courseRun->message;
    } else if (drillChosen && !words) {
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
        drilledCorner = drawn.drilled ? drawn.drilled->corner : -1;
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
    itemsTotal = itemsLeft = static_cast<int>(positions.size());
    // Words spread over two cells can leave the last drawn items without a
    // place: they were the added frequent ones, and the message counts what shows.
    const int drawnCount = static_cast<int>(drawn.items.size());
    if (drawn.filled > 0 && itemsTotal < drawnCount) {
        const int fromHistory = drawnCount - drawn.filled;
        drawn.message = training::reviewTopUpMessage(std::min(fromHistory, itemsTotal),
                                                     std::max(0, itemsTotal - fromHistory), words);
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
        wordReviewPositions = positions;
    grid[0].look = ItemLook::Current;
    if (drawn.message.size() >= 2) {
        messages[2] = drawn.message[0];
        messages[3] = drawn.message[1];
    }
    currentIndex = 0;
}

void TrainingFlow::tickGauge() {
    if (gauges.first < 100) {
        bumpGauge(gauges.first);
    } else {
        if (gauges.second == 0)
            cue(Cue::Cheer);
        if (gauges.second < 100) {
            clocks.face = true;
            setMessages(QStringLiteral("加油啊！"), QStringLiteral("加油啊！"), QString(),
                        QString());
            bumpGauge(gauges.second);
        } else {
            clocks.gauge = false;
        }
    }
    if (gauges.first == 50) {
        clocks.face = true;
        cue(Cue::Cheer);
        setMessages(QStringLiteral("加油啊！"), QStringLiteral("加油啊！"), QString(), QString());
    }
    if (gauges.second == 100) {
        run_ = RunState::TimeUp;
        buttons.startEnabled = true;
        buttons.startCaption = QStringLiteral("继续");
        clocks.face = true;
        // A course step has no level to reach: it says how to go on.
        if (courseRun)
            setMessages(QStringLiteral("时间到了。"), QStringLiteral("加油啊！"),
                        QStringLiteral("按回车或《继续》"), QStringLiteral("接着练完这一步。"));
        else
            setMessages(QStringLiteral("你离\"%1\"").arg(levelName),
                        QStringLiteral("还有一点距离."), QStringLiteral("加油啊！"),
                        QStringLiteral("可按<继续>键继续."));
        buttons.pauseEnabled = false;
        clocks.gauge = false;
        box(Box::Character).enabled = false;
        box(Box::Word).enabled = false;
        cue(Cue::TimeUp);
    }
}

int TrainingFlow::finalPictureSpeed() const {
    // A run answered within the same second as its start still counts one second.
    return perMinute(itemsTotal, speedSeconds > 0 ? speedSeconds : 1);
}

void TrainingFlow::tickSpeedClock() {
    if (speedCounting) {
        ++speedSeconds;
        if (speedSeconds % 10 == 0) {
            const int speed = perMinute(static_cast<long long>(itemsTotal - itemsLeft) *
                                            kind(exercise).speedFactor,
                                        speedSeconds);
            speedText = QString::number(speed);
            vehicle = vehicleFor(speed);
        }
    }
    if (itemsLeft == 0 && finalSpeedDue) {
        speedText = QString::number(finalPictureSpeed());
        speedSeconds = 0;
        finalSpeedDue = false;
    }
}

void TrainingFlow::tickTimeOfDay(const QString& now) {
    timeOfDay = now;
}

void TrainingFlow::pause() {
    // A run with nothing left to answer cannot be paused or go on.
    if (!buttons.pauseEnabled)
        return;
    clocks.gauge = clocks.speed = clocks.face = false;
    const RunState before = std::exchange(run_, RunState::Paused);
    cue(Cue::PauseMusic);
    host_.showPause();
    host_.closeMediaPlayer();
    run_ = before;
    clocks.gauge = clocks.speed = clocks.face = true;
}

void TrainingFlow::openHelp() {
    stopClocks();
    const QString file = inProgramFolder(QStringLiteral("files/tvmsm.rtf"));
    if (QFile::exists(file))
        host_.showHelp(file);
    if (!buttons.startEnabled)
        clocks.gauge = clocks.speed = true;
}

void TrainingFlow::openSettings() {
    stopClocks();
    if (!host_.soundCanPlay())
        host_.disableSoundOption();
    host_.showSettings();
}

void TrainingFlow::openRecordHolders() {
    stopClocks();
    host_.showRecordHolders();
}

void TrainingFlow::openHistory() {
    // The learning history waits like the help: a run under way gets its
    // clocks and its input box back when the window closes.
    stopClocks();
    host_.showHistory();
    if (!buttons.startEnabled) {
        clocks.gauge = clocks.speed = true;
        focusBox = static_cast<int>(boxOf(exercise));
    }
}

void TrainingFlow::quit() {
    if (!host_.askQuit())
        return;
    // The run left is kept with the speed the window showed, before the
    // items and the speed are cleared.
    leaveObservedRun();
    hideItems(exercise);
    leaveExercise(exercise);
    host_.closeWindow();
}

void TrainingFlow::activated() {
    host_.closePanel();
}

void TrainingFlow::closed() {
    leaveObservedRun();
    run_ = RunState::Idle;
    clocks.gauge = clocks.panelDelay = clocks.speed = clocks.face = clocks.timeOfDay = false;
    host_.closePanel();
}

void TrainingFlow::tickFace() {
    face.closedShown = true;
    const int t = face.tick++;
    if (t == 3) {
        face.closedShown = false;
        face.openShown = true;
    }
    if (face.tick == 7) {
        face.closedShown = true;
        face.openShown = false;
    }
    if (face.tick == 8) {
        face.closedShown = false;
        face.openShown = true;
    }
    if (face.tick == 10) {
        face.closedShown = true;
        face.openShown = false;
        face.tick = 0;
    }
}

} // namespace training
