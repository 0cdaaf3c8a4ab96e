#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <chrono>

// Holds back the keys that reach the program right after it was made, until
// the keyboard has been quiet for a short time: keys a learner typed for one
// window, still coming while a dialog opened (a name box, a report), must not
// land in that dialog. Every key held back starts the quiet time again, so a
// learner still typing at the end never types into the dialog; the first key
// after a quiet time passes as usual. Lives for as long as the dialog is
// shown.
class KeyHold : public QObject {
public:
    static constexpr std::chrono::milliseconds kDefaultQuiet{600};

    explicit KeyHold(std::chrono::milliseconds quiet = kDefaultQuiet);
    ~KeyHold() override;
    KeyHold(const KeyHold&) = delete;
    KeyHold& operator=(const KeyHold&) = delete;

    // Whether keys are still held back.
    bool holding() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer lastKey_; // since the hold began or the last key held back
    std::chrono::milliseconds quiet_;
    bool released_ = false;
};
