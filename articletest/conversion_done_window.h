#pragma once

#include <QDialog>

// Asks, after an article was converted, whether to take it for the test.
class TForm_change : public QDialog {
    Q_OBJECT
public:
    explicit TForm_change(QWidget* parent = nullptr);
};

extern TForm_change* Form_change;
