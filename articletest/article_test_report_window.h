#pragma once

#include "articletest/top_ten_window.h"
#include "coaching/corner_table.h"

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The report of a finished article test: time, counts, accuracy, speed and
// the list of wrong characters, whose codes Enter reveals one by one. A
// result good enough for the top ten asks for a name and enters the list.
class TForm_result : public QDialog, public LastReport {
    Q_OBJECT
public:
    explicit TForm_result(QWidget* parent = nullptr);

    QLabel *Label7, *lbSorry, *Ltime, *Ltotal, *Lwrong, *LRight, *LL, *LRate, *StaticText1;
    QPlainTextEdit* Mresult;
    // Why the code typed for the line just revealed was wrong, in the rhyme's words.
    QLabel* LabelWhy;
    QPushButton* SpeedButton1;

    // Shows the labels of the last computation instead of computing.
    bool LastOnly = false;
    int RevealIndex = 0;

    // Shared with the top-ten list.
    int Speed = 0;
    std::string EntryName; // GBK, at most 16 bytes
    bool EntryPending = false;

    // Appends the code of the expected character of error line `index`.
    void right(int index);

    // LastReport
    bool reportShown() const override { return isVisible(); }
    bool entryPending() const override { return EntryPending; }
    std::string entryName() const override { return EntryName; }
    int entrySpeed() const override { return Speed; }
    void showLastReport() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void explain(int index, const QString& character, const QString& code);
    void decideTopTen();
};

extern TForm_result* Form_result;
