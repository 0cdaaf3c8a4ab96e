#pragma once

#include <QDialog>

#include <string>

class QPushButton;
class QTableWidget;

// What the top-ten list asks of the report that opens it: whether the report
// is on the screen, the entry waiting to go in, and the last report shown
// again ("上次成绩"). The report is the one instance; the list finds it
// through lastReport() and never includes the report window itself.
class LastReport {
public:
    virtual ~LastReport();
    virtual bool reportShown() const = 0;
    // The entry that earned a place: its name (GBK) and speed; false when none waits.
    virtual bool entryPending() const = 0;
    virtual std::string entryName() const = 0;
    virtual int entrySpeed() const = 0;
    virtual void showLastReport() = 0;

protected:
    LastReport();
};

// The report, or null before it is made and after it is deleted.
LastReport* lastReport();

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
