#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <chrono>

// Holds back every key that reaches the program during a short time after it
// was made: keys a learner typed for one window, still on their way, must not
// land in a dialog that opened meanwhile (a name box, a report). Keys pressed
// after that time pass as usual. Lives for as long as the dialog is shown.
class KeyHold : public QObject {
public:
    static constexpr std::chrono::milliseconds kDefaultLength{500};

    explicit KeyHold(std::chrono::milliseconds length = kDefaultLength);
    ~KeyHold() override;
    KeyHold(const KeyHold&) = delete;
    KeyHold& operator=(const KeyHold&) = delete;

    // Whether keys are still held back.
    bool holding() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QElapsedTimer since_;
    std::chrono::milliseconds length_;
};
