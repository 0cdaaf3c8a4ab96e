#pragma once

#include <QDialog>

class QPushButton;

// The pause notice of the training: only "继续" (or Enter) closes it.
class TFormstop : public QDialog {
    Q_OBJECT
public:
    explicit TFormstop(QWidget* parent = nullptr);
    QPushButton* BitBtn1;

protected:
    void reject() override {} // Esc and the window manager's close do nothing
    void closeEvent(QCloseEvent* event) override;
};

extern TFormstop* Formstop;
