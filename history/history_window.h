#pragma once

#include "coaching/confusion_counts.h"
#include "training/history_link.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class DayChart;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class HistoryStore;

// The window "学习记录": speed per day of each exercise and of the article
// test, the accuracy of the tests with best and median, a goal line; the
// characters and words missed most, and the stroke digits typed wrong; the
// switch of the history, CSV export and deletion. Reads the history afresh
// each time it is shown.
class TFormHistory : public QDialog {
    Q_OBJECT
public:
    explicit TFormHistory(QWidget* parent = nullptr);

    QCheckBox* CheckRecord;   // "记录学习历史"
    QSpinBox* SpinGoal;       // the goal line, 字/分
    QPushButton* BtnExport;   // "导出CSV"
    QPushButton* BtnDelete;   // "删除记录"
    QPushButton* BtnClose;    // "关闭"
    DayChart* ChartSpeed;     // speed per day
    DayChart* ChartAccuracy;  // accuracy of the tests
    QTableWidget* GridMissed; // characters and words missed most
    QTableWidget* GridDigits; // stroke digits typed wrong
    QTableWidget* GridGames;  // the warm-up: best and recent scores of each way of playing
    // "弱点": the five digits most often typed for another at one corner,
    // with example characters; a row holds its corner (Qt::UserRole) and
    // right digit (Qt::UserRole + 1).
    QTableWidget* GridWeak;
    // The error rate at each corner, drawn at the corners of a square; its
    // tooltip says them in words.
    QLabel* PictureCorners;
    QLabel* LabelSummary; // best and median, or what went wrong
    QLabel* LabelClass;   // the learner's class and the results sent to it

    // A click on a row of "弱点" closes the window and passes the row's
    // corner and digit here (unset: the rows are only shown).
    std::function<void(const training::DrillTarget&)> openDrill;

    // The folder dialog of the export; replaced in tests. Empty: cancelled.
    std::function<QString()> chooseFolder;

    // Fills everything from the history.
    void showHistory();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillSpeedChart(HistoryStore& store);
    void fillWeakCorners(HistoryStore& store);
    void CheckRecordClick();
    void SpinGoalChange();
    void BtnExportClick();
    void BtnDeleteClick();
    bool filling_ = false;
};

extern TFormHistory* FormHistory;
