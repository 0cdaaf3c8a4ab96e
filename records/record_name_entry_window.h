#pragma once

#include <QDialog>

// Asks the name of a learner who set a new training record.
class TFPhbin : public QDialog {
    Q_OBJECT
public:
    explicit TFPhbin(QWidget* parent = nullptr);
};

extern TFPhbin* FPhbin;
