#pragma once

#include <QDialog>

// A read-only viewer of the rich-text help files.
class Tform_help : public QDialog {
    Q_OBJECT
public:
    explicit Tform_help(QWidget* parent = nullptr);
};

extern Tform_help* form_help;
