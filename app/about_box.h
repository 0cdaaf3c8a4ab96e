#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box of the start screen.
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);

    // The maker's web site, opened by a click on the logo.
    static constexpr const char* kWebAddress = "http://tarvo.example.com/";

    QLabel* Image1;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Image1Click();
};

extern TAbout* About;
