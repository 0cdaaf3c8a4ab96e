#pragma once

#include "training/training_flow.h"
#include "training/training_settings.h"

#include <QColor>
#include <QDialog>
#include <QElapsedTimer>
#include <QHash>
#include <QPixmap>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <optional>

class QButtonGroup;
class QFrame;
class QKeyEvent;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;

// The character and word training window: three pages of exercises, each
// with its grid of items, the command buttons, the message lines under the
// mascot, the speed box, the clock and the time gauge. Its logic lives in
// training::TrainingFlow; the window draws the flow's state after every
// event and keeps its timers in step with it.
class TForm1 : public QDialog, private training::TrainingHost, private TrainingSettingsHost {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The program's folder, set by the start screen; the working directory
    // while the window is shown.
    QString HomeDir;
    // Length of Start's wait before the clocks run (tests set 0).
    int startWaitMs = 1000;
    // Colour of the character and word item labels (the settings dialog sets it).
    QColor itemTextColour = QColor(255, 255, 0);

    training::TrainingFlow& flow() { return *flow_; }

    QTabWidget* TabbedNotebook2;
    QFrame *Panel1, *Panel5, *Panel12;         // the grid panels of the three pages
    std::array<QLabel*, 60> pictureItems{};    // Image1 … Image60
    std::array<QLabel*, 119> characterItems{}; // Label6 … Label124
    std::array<QLabel*, 45> wordItems{};       // word00, Label125 … Label168
    // The twelve exercise buttons, by exercise kind.
    std::array<QToolButton*, training::kKinds> exerciseButtons{};
    QLabel *rhyme1, *rhyme2;
    QLineEdit *Labelhint1, *Editinput, *Editinput2; // input boxes of the three pages
    QLabel *Labelplay1, *Labelplay2, *Labelplay3, *Labelplay4;
    QLabel *Imagefaceclose, *Imagefaceopen;
    QPushButton* BitBtn1; // "编码图解"
    // Beside the message lines: why a code is wrong, until the next key.
    QFrame* coachPanel;
    QLabel* coachText;
    QLabel* coachStroke; // the character, the stroke making the wrong corner lit
    QPushButton *sbHelp, *SBtnStart, *SBtnPause, *SBtnSetup, *sbAbout, *SBtnQuit;
    QPushButton* SBtnHistory; // "学习记录"
    QPushButton* SBtnDrill;   // "弱点练习", beside the reviews
    // The items due today on the two review buttons' corners (hidden at 0).
    std::array<QLabel*, 2> dueBadges{};
    // "补满", beside each review: a review fills its whole page from the
    // frequent items; unticked it takes only what is due. The two boxes are one switch.
    std::array<QCheckBox*, 2> CheckFullReview{};
    void showDueCounts();
    QLabel *Labeljifen, *Imagebike, *Imagecar, *Imageplane;
    QLabel *Label1, *clockPicture, *Image61;
    QFrame* gaugePanel;
    QProgressBar *Gauge1, *Gauge2;
    QTimer *Timer1, *Timer2, *Timer3, *Timer4, *Timertime;

    // Timer handlers, public so that tests can tick the clocks by hand.
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void TimertimeTimer();
    void Timer4Timer();

    // Draws the flow's state: texts, buttons, items, boxes, timers.
    void refresh();
    // A drill of `target` asked for from "学习记录": it starts when the
    // learning history closes over this window, or when this window shows.
    void requestDrill(const training::DrillTarget& target);
    // A step of the course "学习路线" to run as soon as the window is shown.
    void requestCourseRun(const training::CourseRun& run);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void reject() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the encoding diagram what its closing does to this window.
    void connectDiagram();
    // After a dialog of the training closed: the window active again and the
    // keys in the answer box that is open.
    void keysBackToBox();
    // TrainingHost
    bool soundOptionTicked() const override;
    void playCue(training::Cue cue) override;
    bool soundCanPlay() override;
    void disableSoundOption() override;
    void showPanel(const QString& textFile) override;
    void closePanel() override;
    void showPause() override;
    void closePause() override;
    void closeMediaPlayer() override;
    void showHelp(const QString& textFile) override;
    void showSettings() override;
    void showRecordHolders() override;
    void showHistory() override;
    bool autoHintTicked() const override;
    bool showDiagram(const QString& picture) override;
    bool judgeRecord(training::ExerciseKind kind, const QString& score) override;
    void enterRecordName(training::ExerciseKind kind, const QString& score) override;
    bool askQuit() override;
    void closeWindow() override;
    void waitBeforeClocks() override;

    // TrainingSettingsHost
    std::array<QColor, 3> panelColours() const override;
    void setPanelColours(const std::array<QColor, 3>& colours) override;
    void setItemTextColour(const QColor& colour) override;
    void setLevel(int levelStep, const QString& levelName) override;
    void setHintAfter(int wrongAnswers) override;
    void setWithoutLevel(bool withoutLevel) override;

    void buildPages();
    void buildSidePanel();
    void loadPictures();
    // Runs a flow event with the timers' states read first and the window
    // drawn afterwards, also when the event fails.
    template <typename Event> void run(Event&& event);
    void pullTimers();
    void drawItems();
    QPixmap pictureOf(const QString& path);
    // A key for an input box: forwarded to the flow, never typed by the box itself.
    bool boxKey(QLineEdit* box, QKeyEvent* event);
    // A key of the window at time-up; true when it was taken.
    bool timeUpKey(QKeyEvent* event);

    std::unique_ptr<training::TrainingFlow> flow_;
    std::array<QButtonGroup*, training::kPages> groups_{};
    QHash<QString, QPixmap> pictures_; // bitmaps read since the window was shown
    QString pictureError_;             // the first picture that could not be read
    bool pictureErrorShown_ = false;
    bool strokeErrorShown_ = false; // the outline file's fault, told once while shown
    QElapsedTimer lastBoxKey_;      // since the last key an answer box took
    std::map<const QLabel*, training::GridItem> drawn_; // items as last drawn
    QColor drawnColour_;
    bool closing_ = false;
    QString recordFileNotice_;      // the record file's trouble, told once while shown
    training::CoachNote drawnNote_; // the note on a wrong code as last drawn
    std::optional<training::DrillTarget> requestedDrill_;
    void startRequestedDrill();
    std::optional<training::CourseRun> requestedCourseRun_;
};

extern TForm1* Form1;
