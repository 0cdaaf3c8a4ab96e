#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The log of warm-up results: in entry mode it offers to add the last game's
// result under a name; in list mode (Memo1 visible) it shows the whole log.
class TFHot_Sort : public QDialog {
    Q_OBJECT
public:
    explicit TFHot_Sort(QWidget* parent = nullptr);

    QLineEdit *LabeledEdit1, *LabeledEdit2, *LabeledEdit3;
    QPushButton *Button1, *Button2;
    QPlainTextEdit* Memo1;

    // Set by the game before it shows the dialog in entry mode.
    QString TimeText, ScoreText;

    static QString logPath();
    // Today's date in the system's short format (replaceable by tests).
    std::function<QString()> today;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void Button1Click();
};

extern TFHot_Sort* FHot_Sort;
