#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks the name of a learner who set a new training record and writes it
// with the score into the record-holder file. The name stays in the box for
// the next record of this program run; the close box writes nothing.
class TFPhbin : public QDialog {
    Q_OBJECT
public:
    explicit TFPhbin(QWidget* parent = nullptr);

    int RecordSlot = 0;  // the exercise kind
    QString RecordScore; // the speed, as the training window showed it

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label3;
    QLineEdit* Edit1;
    QPushButton* BitBtn1; // "确定"

    // Writes the name typed and RecordScore into slot `slot` of "files/phb.txt".
    void save_record(int slot);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();
};

extern TFPhbin* FPhbin;
