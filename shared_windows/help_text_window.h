#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

// A read-only viewer of the rich-text help files.
class Tform_help : public QDialog {
    Q_OBJECT
public:
    explicit Tform_help(QWidget* parent = nullptr);
    QTextEdit* RichEdit1;
    QPushButton* BitBtn1;
    // Loads a rich-text file; throws UserError naming it when it cannot be read.
    // Its lines are set 1.4 times their height apart.
    void loadFile(const QString& path);
    static constexpr int kLineHeightPercent = 140;
};

extern Tform_help* form_help;
