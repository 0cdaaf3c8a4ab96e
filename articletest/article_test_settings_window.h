#pragma once

#include "platform/colour.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QSpinBox;
class QTextEdit;

// The test's colours and duration. Colours are stored in the test window as
// soon as they are picked; the duration only with "确定".
class TForm_color : public QDialog {
    Q_OBJECT
public:
    // Paints its sample from the test window's colours, so the test window
    // must exist first.
    explicit TForm_color(QWidget* parent = nullptr);

    QGroupBox* colorGroup;
    QButtonGroup* colorItems; // 0 底色, 1 已打汉字, 2 未打汉字, 3 输入汉字
    QTextEdit* example;
    QPushButton *BitBtn5, *BtnDefault, *BitBtn_ok, *BitBtn_cancel;
    QSpinBox* Edit_time;

    // Repaints the sample: 0 all, 1 background, 2 typed, 3 untyped, 4 input.
    void changecolor(int item);
    // Stores a picked colour for the selected item (what the picker does on OK).
    void takeColour(Colour colour);

    // The colour picker, replaceable by tests: returns an invalid colour on cancel.
    std::function<QColor(const QColor& initial)> pickColour;

private:
    void BitBtn5Click();
    void BtnDefaultClick();
    void BitBtn_okClick();
    QColor lastPicked_ = Qt::white;
};

extern TForm_color* Form_color;
