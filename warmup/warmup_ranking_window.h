#pragma once

#include <QDialog>

// The log of warm-up results.
class TFHot_Sort : public QDialog {
    Q_OBJECT
public:
    explicit TFHot_Sort(QWidget* parent = nullptr);
};

extern TFHot_Sort* FHot_Sort;
