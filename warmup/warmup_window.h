#pragma once

#include <QDialog>

// The keypad warm-up game.
class TFHot : public QDialog {
    Q_OBJECT
public:
    explicit TFHot(QWidget* parent = nullptr);
};

extern TFHot* FHot;
