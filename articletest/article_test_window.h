#pragma once

#include "articletest/article_test_flow.h"
#include "articletest/article_text_view.h"
#include "articletest/test_window_state.h"
#include "platform/colour.h"

#include <QDialog>
#include <QString>

#include <memory>

class QFrame;
class QGroupBox;
class QRadioButton;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTimer;
class QToolButton;

// The article test window: shows the article, runs the timed test and hands
// the keys to the typing engine. Its logic lives in TestFlow; the window
// draws the flow's state after every event.
class Tform_test : public QDialog, public TestWindowState, private TestDialogs {
    Q_OBJECT
public:
    explicit Tform_test(QWidget* parent = nullptr);
    ~Tform_test() override;

    // The program's folder, set by the start screen; the working directory
    // while the window is shown and after every file dialog.
    QString HomeDir;

    // The open dialogs, replaceable by tests: return the chosen file or "".
    std::function<QString()> openDialog;
    std::function<QString()> ChangeDialog;

    // TestWindowState
    void applySettings() override;
    QString clockText() const override;
    int typedCount() const override;
    int wrongCount() const override;
    QString typedCodeOf(int index) const override;

    TestFlow& flow() { return *flow_; }

    // How often (ms) the segmentation's progress bar is redrawn while the
    // walk goes on; tests make it every line.
    int progressRepaintMs = 50;

    QLabel *LChange, *Label2, *Label_file, *Label4, *Label_time, *Label8, *alread, *Label6, *wrong,
        *Label1, *Lgo, *Image2, *Label3, *result1, *Ltime, *Label9;
    QPushButton *SBtnQuit, *SBtnHelp, *SBtnSetup, *SBtnfile, *BitBtn1, *BtnPause, *BtnStart,
        *key_help;
    QToolButton *Bleft, *bright;
    QProgressBar *ProgressBar1, *ProgressBar2;
    QFrame* zdqc; // progress of the word segmentation
    // Which words the segmentation looks for: "全部" or "高频词" (hidden; "全部").
    QGroupBox* rdgQC;
    QRadioButton *rdgQCAll, *rdgQCFrequent;
    QScrollArea* ScrollBox1;
    TestTextView* REdit1; // the article with its input lines
    QLineEdit* Edit_input;
    QMenu* FileMenu;
    QAction *select_file, *change_file;
    QTimer *Timer1, *Timer3;

    // Event handlers, public so that tests can drive the clock tick by tick.
    void Timer1Timer();
    void Timer3Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

public slots:
    // Leaving asks "确定退出吗" first, whatever closes the window.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TestDialogs
    bool askFindTestFile() override;
    std::optional<QString> chooseTestFile() override;
    void showReport() override;
    void scrollTextBy(int pixels) override;
    void scrollTextToTop() override;

    void FormShow();
    void BtnStartClick();
    void BtnPauseClick();
    void SBtnQuitClick();
    void SBtnHelpClick();
    void SBtnSetupClick();
    void SBtnfileClick();
    void select_fileClick();
    void change_fileClick();
    void key_helpClick();
    void BitBtn1Click();
    bool handleKey(QKeyEvent* event);

    // Draws the flow's state; `wholeText` redraws the article too.
    void refresh(bool wholeText = false);
    void sizeTextArea();

    std::unique_ptr<TestFlow> flow_;
};

extern Tform_test* form_test;
