#pragma once

#include <QDialog>

// The training's settings dialog.
class Tform_sz : public QDialog {
    Q_OBJECT
public:
    explicit Tform_sz(QWidget* parent = nullptr);
};

extern Tform_sz* Form_sz;
