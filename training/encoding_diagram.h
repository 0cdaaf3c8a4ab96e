#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The code diagram of one character, shown from the training window.
class Tformdelait : public QDialog {
    Q_OBJECT
public:
    explicit Tformdelait(QWidget* parent = nullptr);
    QLabel* Image1;
    QPushButton* BitBtn1;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void BitBtn1Click();
    void FormClose();
};

extern Tformdelait* formdelait;
