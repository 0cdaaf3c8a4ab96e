#pragma once

#include <QDialog>

// The record holder of each training exercise.
class TFPhb : public QDialog {
    Q_OBJECT
public:
    explicit TFPhb(QWidget* parent = nullptr);
};

extern TFPhb* FPhb;
