#pragma once

#include <QDialog>

class QPlainTextEdit;

// The report of a finished article test.
class TForm_result : public QDialog {
    Q_OBJECT
public:
    explicit TForm_result(QWidget* parent = nullptr);
    // One line per character entered wrong: expected character, then what was entered.
    QPlainTextEdit* Mresult;
};

extern TForm_result* Form_result;
