// The training's answer entry: the keys of the three input boxes, the
// checking of answers, the counters of wrong answers, F1 and the end of a run.
//
// The boxes behave as edit boxes whose key-down handler runs before the
// typed character reaches the box, and whose change handler runs after every
// change of the text, also one made by the program, at once and nested: the
// digit filter removes a last character that is not a digit and then applies
// the pending text. The flow plays that order through itself, so that the
// learner sees the same outcome whatever toolkit draws the box.
#include "platform/gbk_codec.h"
#include "training/training_flow.h"

#include <QFile>
#include <algorithm>
#include <utility>

namespace training {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

GridItem* TrainingFlow::currentItem() {
    const auto at = [this](auto& items) -> GridItem* {
        if (CurrentItem < 0 || CurrentItem >= static_cast<int>(items.size()))
            return nullptr;
        return &items[static_cast<size_t>(CurrentItem)];
    };
    switch (pageOf(ExerciseKind)) {
    case Page::Basic:
        return at(grids.pictures);
    case Page::Characters:
        return at(grids.characters);
    case Page::Words:
        return at(grids.words);
    }
    return nullptr;
}

void TrainingFlow::setBoxText(Box b, const QString& text) {
    InputBox& x = box(b);
    if (x.text == text)
        return; // setting the same text changes nothing
    x.text = text;
    boxChange(b);
}

void TrainingFlow::boxChange(Box b) {
    const QString& text = box(b).text;
    if (!text.isEmpty() && !isAsciiDigit(text.back()))
        setBoxText(b, text.chopped(1));
    if (PendingActive) {
        PendingActive = false;
        setBoxText(b, PendingText);
    }
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
        BitBtn1Shown = false;
    PendingActive = false;
    if (HintShown[i]) {
        // After F1 a digit replaces the code shown, any other key but the
        // keypad "-" empties the box at its next change.
        HintShown[i] = false;
        if (!minus && !k.f1) {
            PendingActive = true;
            PendingText = k.key == PadKey::Digit ? QString::number(k.digit) : QString();
        }
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
    if (x.text.size() == kBoxMaxLength) {
        // A full box is judged at every key, whatever the key.
        taken = true;
        answer = x.text;
    }
    if (taken) {
        PendingActive = true;
        PendingText.clear();
        judge(b, answer);
    }
    if (k.f1)
        helpKey(b);

    // The character the key types, unless the answer ended the run.
    if (x.enabled)
        typeCharacter(b, k);
    // A wrong answer still in the box (Enter types nothing to empty it) is
    // selected, so that the next try does not run on from it.
    x.selected = (taken && x.enabled && !x.text.isEmpty() && x.text == answer && currentItem() &&
                  !HintShown[i]) ||
                 std::exchange(hintPlaced_, false);
}

void TrainingFlow::typeCharacter(Box b, const AnswerKey& k) {
    InputBox& x = box(b);
    if (k.key == PadKey::Backspace) {
        if (!x.text.isEmpty())
            setBoxText(b, x.text.chopped(1));
        return;
    }
    QChar typed;
    if (k.key == PadKey::Digit)
        typed = QChar(u'0' + k.digit); // also the keypad's digits with Num Lock off
    else if (k.key != PadKey::Enter && !k.text.isEmpty() && k.text[0] >= u' ' &&
             k.text[0] != QChar(0x7f))
        typed = k.text[0];
    if (typed.isNull())
        return;
    // A character beyond the maximum length is not inserted and changes nothing.
    if (b != Box::Picture && x.text.size() >= kBoxMaxLength)
        return;
    setBoxText(b, x.text + typed);
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
    PictureWrongCount = 0;
    Timer4On = false;
    // A course step keeps its name in the panel while it runs.
    if (courseRun && courseRun->message.size() >= 2)
        setMessages(courseRun->message[0], courseRun->message[1], QString(), QString());
    else
        setMessages(QStringLiteral("Tarvo编码"), QStringLiteral("Tarvo天下"), QString(), QString());
    --ItemsLeft;
    if (ItemsLeft == 0) {
        Timer1On = false;
        SBtnStartEnabled = true;
        SBtnPauseEnabled = false; // a finished run cannot be paused
        SpeedClockOn = false;
        // The final speed shows at once, so that the record judged below and
        // the history keep the speed the window shows.
        Labeljifen = QString::number(finalPictureSpeed());
        FinalSpeedDue = true;
        cue(Cue::Finished);
        setMessages(QStringLiteral(" 太棒了！"), QStringLiteral(" 继续训练吗？"),
                    QStringLiteral(" 按《开始》键"), QString());
        sayCourseVerdict(finalPictureSpeed());
    }
    if (GridItem* item = currentItem())
        item->look = ItemLook::Answered;
    ++CurrentItem;
    ++PictureColumn;
    setBoxText(Box::Picture, QString());
    InputBox& x = box(Box::Picture);
    if (PictureColumn >= kPictureColumns) {
        PictureColumn = 0;
        x.pos = QPoint(kPictureBoxStart.x(), x.pos.y() + 72);
    } else {
        x.pos.rx() += 60;
    }
    if (ItemsLeft == 0) {
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
    if (ItemsLeft <= 1) {
        endTextRun(b);
        return;
    }
    ++BoxColumn;
    --ItemsLeft;
    if (GridItem* item = currentItem())
        item->look = ItemLook::Answered;
    InputBox& x = box(b);
    const bool multi = ExerciseKind == kMultiWordKind;
    if (b == Box::Character) {
        if (BoxColumn == kCharColumns) {
            BoxColumn = 0;
            x.pos = QPoint(kCharBoxStart.x(), x.pos.y() + 63);
        } else if (BoxColumn != kCharColumns - 1) {
            // At the seventeenth item of a row the box stays one cell to the
            // left, inside the page.
            x.pos.rx() += 37;
        }
        ++CurrentItem;
    } else if (!WordReviewPositions.empty()) {
        // The word review: the box goes to the next word's cell.
        const auto at =
            std::find(WordReviewPositions.begin(), WordReviewPositions.end(), CurrentItem);
        if (at != WordReviewPositions.end() && at + 1 != WordReviewPositions.end()) {
            CurrentItem = *(at + 1);
            x.pos = QPoint(kWordBoxStart.x() + (CurrentItem % kWordColumns) * 126,
                           kWordBoxStart.y() + (CurrentItem / kWordColumns) * 49);
        }
    } else {
        const int rowEnd = multi ? 2 : kWordColumns;
        if (BoxColumn == rowEnd) {
            BoxColumn = 0;
            x.pos = QPoint(kWordBoxStart.x(), x.pos.y() + 49);
        } else {
            x.pos.rx() += multi ? 378 : 126;
        }
        CurrentItem = multi ? nextMultiWordPosition(CurrentItem) : CurrentItem + 1;
    }
    setBoxText(b, QString());
    if (GridItem* item = currentItem())
        item->look = ItemLook::Current;
    if (observedRunOpen_)
        observeCurrentItem();
}

void TrainingFlow::endTextRun(Box b) {
    // ItemsLeft stays 1 and the last item keeps its red ground. The speed
    // stops where the last answer left it: that is the speed shown, judged
    // for the record and kept in the history.
    SpeedClockOn = false;
    box(b).enabled = false;
    SBtnStartEnabled = true;
    SBtnPauseEnabled = false;
    Gauge1 = Gauge2 = 0;
    Timer1On = false;
    Timer4On = true;
    setMessages(QStringLiteral("太棒了！"), QStringLiteral("想继续训练吗？"),
                QStringLiteral("请按《开始》键"), QString());
    sayCourseVerdict(Labeljifen.toInt());
    endObservedRun(Labeljifen.toInt(), true);
    recordCheck();
}

void TrainingFlow::recordCheck() {
    // A course step drills a few shapes or items under the exercise it
    // borrows: its speed is no record of that exercise.
    if (courseRun) {
        cue(Cue::Finished);
        return;
    }
    if (host_.judgeRecord(ExerciseKind, Labeljifen)) {
        cue(Cue::Record);
        host_.enterRecordName(ExerciseKind, Labeljifen);
    } else {
        cue(Cue::Finished);
    }
}

void TrainingFlow::answeredWrong(Box b, const QString& answer) {
    ++RunWrong;
    const bool autoHint = host_.autoHintTicked();
    if (b == Box::Picture) {
        ++PictureWrongCount;
        setBoxText(b, QString());
        if (PictureWrongCount >= 2 && PictureWrongCount <= 6) {
            Timer4On = true;
            cue(Cue::ThinkAgain);
            setMessages(QStringLiteral("再想想"), QStringLiteral("再想想"), QString(), QString());
            if (!autoHint)
                PictureWrongCount = 0;
        }
        if (autoHint && PictureWrongCount == HintAfter) {
            // The hint: the code itself; submitting it is a right answer.
            box(b).visible = true;
            if (const GridItem* item = currentItem())
                setBoxText(b, item->code);
            // Shown selected: Enter takes it, and a digit typed from it
            // replaces it instead of being added ("3" then 3 was "33").
            hintPlaced_ = true;
            PictureWrongCount = 0;
            if (observedRunOpen_)
                observer_->lookedUp();
        }
        return;
    }
    // Characters and words: the code is never shown by itself; the option
    // and HintAfter only decide when the counter starts again from 0.
    if (const GridItem* item = currentItem())
        coachNote = coach.wrongAnswer(
            {CurrentItem, gbk::toUnicode(item->text), item->code, item->otherCodes, b == Box::Word},
            answer);
    int& count = b == Box::Character ? CharWrongCount : WordWrongCount;
    ++count;
    if (count == 2 || count == 4) {
        Timer4On = true;
        if (b == Box::Character)
            cue(Cue::ThinkAgain);
        setMessages(QStringLiteral("再想想！"), QStringLiteral("加油啊！"), QString(), QString());
        if (!autoHint)
            count = 0;
    }
    if (autoHint && count == HintAfter)
        count = 0;
}

void TrainingFlow::helpKey(Box b) {
    HintShown[static_cast<size_t>(b)] = true;
    ++RunLookups;
    if (observedRunOpen_)
        observer_->lookedUp();
    const GridItem* item = currentItem();
    if (!item)
        return;
    const QString code = item->code;
    const std::string codeBytes = code.toStdString();
    if (b == Box::Character) {
        DiagramChar = item->text.substr(0, 4);
        review.rememberCharacter(item->text, codeBytes);
        if (QFile::exists(diagramPath()))
            BitBtn1Shown = true;
        setBoxText(b, code);
    } else if (b == Box::Word) {
        setBoxText(b, code);
        review.rememberWord(item->text, codeBytes, ExerciseKind == kMultiWordKind);
    } else {
        setBoxText(b, code);
    }
}

QString TrainingFlow::diagramPath() const {
    return inProgramFolder(QStringLiteral("statement/") + gbk::toUnicode(DiagramChar) +
                           QStringLiteral(".bmp"));
}

void TrainingFlow::BitBtn1Click() {
    stopClocks();
    if (host_.showDiagram(diagramPath()))
        BitBtn1Shown = false;
    // The diagram window gives a run under way its clocks back when it closes.
    if (!SBtnStartEnabled)
        Timer1On = Timer3On = true;
    focusBox = static_cast<int>(Box::Character);
}

} // namespace training
