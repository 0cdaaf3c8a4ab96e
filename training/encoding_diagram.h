#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

// The code diagram of one character, shown from the training window.
class Tformdelait : public QDialog {
    Q_OBJECT
public:
    explicit Tformdelait(QWidget* parent = nullptr);
    QLabel* Image1;
    QPushButton* BitBtn1;

    // What the window that opened the diagram does when it closes by its
    // button, and when it closes in any way; the opener sets them.
    std::function<void()> closedByButton;
    std::function<void()> closed;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BitBtn1Click();
    void FormClose();
};

extern Tformdelait* formdelait;
