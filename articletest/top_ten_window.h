#pragma once

#include <QDialog>

// The top ten of the article test.
class Thighscore : public QDialog {
    Q_OBJECT
public:
    explicit Thighscore(QWidget* parent = nullptr);
};

extern Thighscore* highscore;
