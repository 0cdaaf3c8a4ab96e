#pragma once

#include "training/training_settings.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

// The training's settings dialog: level, training without level, the grid
// panels' colour, music, the automatic hint. It works on the training window
// through TrainingSettingsHost; its rules are in TrainingSettings.
class Tform_sz : public QDialog {
    Q_OBJECT
public:
    explicit Tform_sz(QWidget* parent = nullptr);

    // The training window the dialog changes (set once it exists).
    void setHost(TrainingSettingsHost* host) { host_ = host; }

    QComboBox* ComboBox1;
    QCheckBox* CheckBox2;
    QToolButton* SpeedButton1;
    QCheckBox* CheckBox1;
    QCheckBox* Checkhelp;
    QComboBox* list;
    QLabel* Label5;
    QCheckBox* yxdz;
    QPushButton* Button1;

    TrainingSettings& settings() { return settings_; }
    // The colour dialog (replaced by tests): the colour picked, or an invalid
    // colour when the learner cancels.
    std::function<QColor(const QColor& initial)> pickColour;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool levelTyped_ = false; // the level box's text was typed, not chosen
    void SpeedButton1Click();
    void Button1Click();

    TrainingSettings settings_;
    TrainingSettingsHost* host_ = nullptr;
};

extern Tform_sz* Form_sz;
