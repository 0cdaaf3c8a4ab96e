#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks, after an article was converted, whether to take it for the test.
class TForm_change : public QDialog {
    Q_OBJECT
public:
    explicit TForm_change(QWidget* parent = nullptr);
    QLabel *Label1, *Label2;
    QPushButton *BitBtnok, *BitBtn1;
    // The answer: take the converted article.
    bool UseConverted = false;
};

extern TForm_change* Form_change;
