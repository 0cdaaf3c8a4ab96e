#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

// The top ten of the article test, read from "record.dat". A fresh
// window is made for each opening; F1 reveals "清空".
class Thighscore : public QDialog {
    Q_OBJECT
public:
    explicit Thighscore(QWidget* parent = nullptr);

    QTableWidget* StringGrid1;
    QPushButton *Button1, *Button2, *Button3;

    void initgrid();
    void addscore();
    void loadlist();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Button1Click();
    void Button3Click();
};

// The article test's top-ten file "record.dat" in the score folder: beside the
// program's data when it runs from its build folder, in the learner's data
// folder when installed.
class TopTenFile;
TopTenFile articleTopTen();

// The instance made at start-up (each opening makes its own).
extern Thighscore* highscore;
