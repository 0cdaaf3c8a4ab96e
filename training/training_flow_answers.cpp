// TrainingFlow (training/training_flow.h), its answers: the keys of the
// three answer boxes, the judging of answers, the counters of wrong answers,
// F1, the box moving along the grid and the end of a run. How a box's text
// changes is AnswerBoxes' (training/answer_boxes.h).
#include "platform/gbk_codec.h"
#include "training/training_flow.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace training {

GridItem* TrainingFlow::currentItem() {
    const auto at = [this](auto& items) -> GridItem* {
        if (currentIndex < 0 || currentIndex >= static_cast<int>(items.size()))
            return nullptr;
        return &items[static_cast<size_t>(currentIndex)];
    };
    switch (pageOf(exercise)) {
    case Page::Basic:
        return at(grids.pictures);
    case Page::Characters:
        return at(grids.characters);
    case Page::Words:
        return at(grids.words);
    }
    return nullptr;
}

void TrainingFlow::boxKeyPress(Box b, const AnswerKey& k) {
    InputBox& x = box(b);
    if (!x.visible || !x.enabled)
        return;
    const auto i = static_cast<size_t>(b);
    const bool minus = k.key == PadKey::Minus && k.keypad;
    const bool dot = k.key == PadKey::Dot && k.keypad;

    // A key that types nothing (Shift, Num Lock, which a keypad's digits
    // may bring along) leaves a kept answer as it is, still selected.
    if (x.selected && k.key == PadKey::Other && k.text.isEmpty() && !k.f1)
        return;
    // A kept wrong answer is selected: a key that types replaces it.
    const bool replacing =
        std::exchange(x.selected, false) &&
        (k.key == PadKey::Digit || (k.key == PadKey::Other && !k.text.isEmpty()));
    if (replacing)
        setBoxText(b, QString());

    // Key-down: the note on a wrong code closes at the next key.
    coachNote = {};
    if (b != Box::Word)
        buttons.diagramShown = false;
    boxes.dropPending();
    if (codeShown[i]) {
        // After F1 a digit replaces the code shown, any other key but the
        // keypad "-" empties the box at its next change.
        codeShown[i] = false;
        if (!minus && !k.f1)
            boxes.setPending(k.key == PadKey::Digit ? QString::number(k.digit) : QString());
    }
    bool taken = false;
    QString answer;
    if ((k.key == PadKey::Slash && k.keypad) || k.key == PadKey::Space || k.key == PadKey::Enter ||
        (b == Box::Word && k.key == PadKey::Star && k.keypad)) {
        taken = true;
        answer = x.text;
    }
    if ((minus || dot) && !x.text.isEmpty())
        setBoxText(b, x.text.chopped(1));
    if (x.text.size() == AnswerBoxes::kMaxLength) {
        // A full box is judged at every key, whatever the key.
        taken = true;
        answer = x.text;
    }
    if (taken) {
        boxes.setPending(QString());
        judge(b, answer);
    }
    if (k.f1)
        helpKey(b);

    // The character the key types, unless the answer ended the run.
    if (x.enabled)
        boxes.type(b, k);
    // A wrong answer still in the box (Enter types nothing to empty it) is
    // selected, so that the next try does not run on from it.
    x.selected = (taken && x.enabled && !x.text.isEmpty() && x.text == answer && currentItem() &&
                  !codeShown[i]) ||
                 std::exchange(hintPlaced_, false);
}

void TrainingFlow::judge(Box b, const QString& answer) {
    const GridItem* item = currentItem();
    const QString code = item ? item->code : QString();
    if (observedRunOpen_)
        observer_->answerTyped(answer);
    const bool another = item && std::any_of(item->otherCodes.begin(), item->otherCodes.end(),
                                             [&](const QString& c) {
                                                 return answer.compare(c, Qt::CaseInsensitive) == 0;
                                             });
    if (answer.compare(code, Qt::CaseInsensitive) == 0 || another)
        answeredRight(b);
    else
        answeredWrong(b, answer);
}

void TrainingFlow::answeredRight(Box b) {
    if (observedRunOpen_)
        observer_->itemDone(true);
    if (b == Box::Picture)
        rightPicture();
    else
        rightText(b);
}

void TrainingFlow::rightPicture() {
    pictureWrongCount = 0;
    clocks.face = false;
    // A course step keeps its name in the panel while it runs.
    if (courseRun && courseRun->message.size() >= 2)
        setMessages(courseRun->message[0], courseRun->message[1], QString(), QString());
    else
        setMessages(QStringLiteral("Tarvo编码"), QStringLiteral("Tarvo天下"), QString(), QString());
    --itemsLeft;
    if (itemsLeft == 0) {
        // After time-up Start still goes on from the full gauge.
        if (run_ != RunState::TimeUp)
            run_ = RunState::Finished;
        clocks.gauge = false;
        buttons.startEnabled = true;
        buttons.pauseEnabled = false; // a finished run cannot be paused
        speedCounting = false;
        // The final speed shows at once, so that the record judged below and
        // the history keep the speed the window shows.
        speedText = QString::number(finalPictureSpeed());
        finalSpeedDue = true;
        cue(Cue::Finished);
        setMessages(QStringLiteral(" 太棒了！"), QStringLiteral(" 继续训练吗？"),
                    QStringLiteral(" 按《开始》键"), QString());
        sayCourseVerdict(finalPictureSpeed());
    }
    if (GridItem* item = currentItem())
        item->look = ItemLook::Answered;
    ++currentIndex;
    ++pictureColumn;
    setBoxText(Box::Picture, QString());
    InputBox& x = box(Box::Picture);
    if (pictureColumn >= kPictureColumns) {
        pictureColumn = 0;
        x.pos = QPoint(kPictureBoxStart.x(), x.pos.y() + kPictureGrid.dy);
    } else {
        x.pos.rx() += kPictureGrid.dx;
    }
    if (itemsLeft == 0) {
        x.enabled = false;
        // The run is kept before the record's name entry can hold it up.
        endObservedRun(finalPictureSpeed(), true);
        recordCheck();
    } else if (observedRunOpen_) {
        observeCurrentItem();
    }
}

void TrainingFlow::rightText(Box b) {
    coach.reset();
    if (itemsLeft <= 1) {
        endTextRun(b);
        return;
    }
    ++boxColumn;
    --itemsLeft;
    if (GridItem* item = currentItem())
        item->look = ItemLook::Answered;
    InputBox& x = box(b);
    const bool multi = exercise == ExerciseKind::LongWords;
    if (b == Box::Character) {
        if (boxColumn == kCharColumns) {
            boxColumn = 0;
            x.pos = QPoint(kCharBoxStart.x(), x.pos.y() + kCharGrid.dy);
        } else if (boxColumn != kCharColumns - 1) {
            // At the seventeenth item of a row the box stays one cell to the
            // left, inside the page.
            x.pos.rx() += kCharGrid.dx;
        }
        ++currentIndex;
    } else if (!wordReviewPositions.empty()) {
        // The word review: the box goes to the next word's cell.
        const auto at =
            std::find(wordReviewPositions.begin(), wordReviewPositions.end(), currentIndex);
        if (at != wordReviewPositions.end() && at + 1 != wordReviewPositions.end()) {
            currentIndex = *(at + 1);
            x.pos = QPoint(kWordBoxStart.x() + (currentIndex % kWordColumns) * kWordGrid.dx,
                           kWordBoxStart.y() + (currentIndex / kWordColumns) * kWordGrid.dy);
        }
    } else {
        const int rowEnd = multi ? 2 : kWordColumns;
        if (boxColumn == rowEnd) {
            boxColumn = 0;
            x.pos = QPoint(kWordBoxStart.x(), x.pos.y() + kWordGrid.dy);
        } else {
            // The multi-character words stand three cells apart.
            x.pos.rx() += multi ? 3 * kWordGrid.dx : kWordGrid.dx;
        }
        currentIndex = multi ? nextMultiWordPosition(currentIndex) : currentIndex + 1;
    }
    setBoxText(b, QString());
    if (GridItem* item = currentItem())
        item->look = ItemLook::Current;
    if (observedRunOpen_)
        observeCurrentItem();
}

void TrainingFlow::endTextRun(Box b) {
    // itemsLeft stays 1 and the last item keeps its red ground. The speed
    // stops where the last answer left it: that is the speed shown, judged
    // for the record and kept in the history.
    run_ = RunState::Finished;
    speedCounting = false;
    box(b).enabled = false;
    buttons.startEnabled = true;
    buttons.pauseEnabled = false;
    gauges.first = gauges.second = 0;
    clocks.gauge = false;
    clocks.face = true;
    setMessages(QStringLiteral("太棒了！"), QStringLiteral("想继续训练吗？"),
                QStringLiteral("请按《开始》键"), QString());
    sayCourseVerdict(speedText.toInt());
    endObservedRun(speedText.toInt(), true);
    recordCheck();
}

void TrainingFlow::recordCheck() {
    // A course step drills a few shapes or items under the exercise it
    // borrows: its speed is no record of that exercise.
    if (courseRun) {
        cue(Cue::Finished);
        return;
    }
    if (host_.judgeRecord(exercise, speedText)) {
        cue(Cue::Record);
        host_.enterRecordName(exercise, speedText);
    } else {
        cue(Cue::Finished);
    }
}

void TrainingFlow::answeredWrong(Box b, const QString& answer) {
    ++runWrong;
    const bool autoHint = host_.autoHintTicked();
    if (b == Box::Picture) {
        ++pictureWrongCount;
        setBoxText(b, QString());
        if (pictureWrongCount >= 2 && pictureWrongCount <= 6) {
            clocks.face = true;
            cue(Cue::ThinkAgain);
            setMessages(QStringLiteral("再想想"), QStringLiteral("再想想"), QString(), QString());
            if (!autoHint)
                pictureWrongCount = 0;
        }
        if (autoHint && pictureWrongCount == hintAfter) {
            // The hint: the code itself; submitting it is a right answer.
            box(b).visible = true;
            if (const GridItem* item = currentItem())
                setBoxText(b, item->code);
            // Shown selected: Enter takes it, and a digit typed from it
            // replaces it instead of being added ("3" then 3 was "33").
            hintPlaced_ = true;
            pictureWrongCount = 0;
            if (observedRunOpen_)
                observer_->lookedUp();
        }
        return;
    }
    // Characters and words: the code is never shown by itself; the option
    // and hintAfter only decide when the counter starts again from 0.
    if (const GridItem* item = currentItem())
        coachNote = coach.wrongAnswer({currentIndex, gbk::toUnicode(item->text), item->code,
                                       item->otherCodes, b == Box::Word},
                                      answer);
    int& count = b == Box::Character ? characterWrongCount : wordWrongCount;
    ++count;
    if (count == 2 || count == 4) {
        clocks.face = true;
        if (b == Box::Character)
            cue(Cue::ThinkAgain);
        setMessages(QStringLiteral("再想想！"), QStringLiteral("加油啊！"), QString(), QString());
        if (!autoHint)
            count = 0;
    }
    if (autoHint && count == hintAfter)
        count = 0;
}

void TrainingFlow::helpKey(Box b) {
    codeShown[static_cast<size_t>(b)] = true;
    ++runLookups;
    if (observedRunOpen_)
        observer_->lookedUp();
    const GridItem* item = currentItem();
    if (!item)
        return;
    const QString code = item->code;
    const std::string codeBytes = code.toStdString();
    if (b == Box::Character) {
        diagramCharacter = item->text.substr(0, 4);
        review.rememberCharacter(item->text, codeBytes);
        if (QFile::exists(diagramPath()))
            buttons.diagramShown = true;
        setBoxText(b, code);
    } else if (b == Box::Word) {
        setBoxText(b, code);
        review.rememberWord(item->text, codeBytes, exercise == ExerciseKind::LongWords);
    } else {
        setBoxText(b, code);
    }
}

QString TrainingFlow::diagramPath() const {
    return inProgramFolder(QStringLiteral("statement/") + gbk::toUnicode(diagramCharacter) +
                           QStringLiteral(".bmp"));
}

void TrainingFlow::openDiagram() {
    stopClocks();
    if (host_.showDiagram(diagramPath()))
        buttons.diagramShown = false;
    // The diagram window gives a run under way its clocks back when it closes.
    if (!buttons.startEnabled)
        clocks.gauge = clocks.speed = true;
    focusBox = static_cast<int>(Box::Character);
}

} // namespace training
