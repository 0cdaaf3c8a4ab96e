#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

// The record holder of each training exercise, read from "files/phb.txt" at
// every showing; "重新记名" blanks all the records.
class TFPhb : public QDialog {
    Q_OBJECT
public:
    explicit TFPhb(QWidget* parent = nullptr);

    // The value row of each slot (exercise kind): name and score as stored.
    std::array<QLabel*, 12> values{};
    QPushButton* BitBtn1; // "关闭"
    QPushButton* BitBtn2; // "重新记名"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn2Click();
    void emptyRows();
};

extern TFPhb* FPhb;
