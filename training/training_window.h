#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTimer;

// The character and word training window.
class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // The program's folder, set by the start screen; the working directory
    // while the window is shown.
    QString HomeDir;

    QPushButton* SBtnStart; // "开始"; disabled while an exercise is under way
    QPushButton* BitBtn1;   // "编码图解": shown while a code diagram exists
    QTimer* Timer1;         // time gauge
    QTimer* Timer3;         // speed clock

protected:
    void showEvent(QShowEvent* event) override;
};

extern TForm1* Form1;
