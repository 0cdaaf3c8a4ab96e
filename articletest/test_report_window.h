#pragma once

#include <QDialog>

// The report of a finished article test.
class TForm_result : public QDialog {
    Q_OBJECT
public:
    explicit TForm_result(QWidget* parent = nullptr);
};

extern TForm_result* Form_result;
