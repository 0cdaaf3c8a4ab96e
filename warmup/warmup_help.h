#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The rules of the two warm-up modes, on two tabs. Reopens on the tab last shown.
class TFhelp : public QDialog {
    Q_OBJECT
public:
    explicit TFhelp(QWidget* parent = nullptr);
    QTabWidget* Tabs;
    QPlainTextEdit* ClassicMemo;
    QPlainTextEdit* FunMemo;
    QPushButton* Button1;

    static const QStringList& classicLines();
    static const QStringList& funLines();

protected:
    void showEvent(QShowEvent* event) override;
};

extern TFhelp* Fhelp;
