#pragma once

#include <QDateTime>
#include <QHash>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QMovie;
class QToolButton;

// The start screen: a full-window picture with five module entries on the
// left (course, warm-up, training, article test, results page), the
// learning history below them, and help, about and quit along the bottom. Hovering over a module
// entry shows its preview picture; the course entry also shows the animation.
class Tpreface01 : public QWidget {
    Q_OBJECT
public:
    explicit Tpreface01(QWidget* parent = nullptr);

    QLabel* Image1;                             // background picture with all the labels
    QLabel* Image2;                             // preview picture
    QLabel* ShockwaveFlash1;                    // the animation, shown over the course entry
    std::array<QToolButton*, 10> SpeedButton{}; // 1-9; [0] unused

    // Pictures and pages of the program folder.
    static constexpr const char* kBackground = "images/preface.jpg";
    static constexpr const char* kAnimation = "images/show.gif";
    static constexpr const char* kCourse = "course.html";
    static constexpr const char* kReadme = "readme.html";

    QMovie* movie() const { return movie_; }

    // Makes the modules' windows if they are not made yet: an entry clicked
    // before they are opens its window all the same. Set by whoever makes
    // the start screen.
    std::function<void()> makeModuleWindows;

    // The course "学习路线" and the day's plan under the modules: the button
    // opens what `openCourse` opens; `plan` gives the line (empty: none).
    QToolButton* courseButton;
    QLabel* planLabel;
    std::function<void()> openCourse;
    std::function<QString()> plan;
    // Reads the plan again (after the learner comes back from practice).
    void updatePlan();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void Image1MouseMove();
    void SpeedButtonMouseMove(int entry);
    void SpeedButtonClick(int entry);
    void openHelpFile(const char* name);
    void openResultsPage();
    void setAnimationVisible(bool visible);
    // The entries in the order Tab and the arrow keys go through them: the
    // module column, the learning history, the course, then help, about and
    // quit along the bottom. Hidden ones are left out.
    std::vector<QToolButton*> keyOrder() const;
    // A key on a focused entry: arrows (the keypad's too, Num Lock on or
    // off) move, Enter opens. True when the key was taken.
    bool entryKey(QToolButton* entry, int key, Qt::KeyboardModifiers modifiers);

    QMovie* movie_ = nullptr;
    // Previews that failed to read, with the modification time they had: a
    // damaged picture is reported once, not at every movement of the pointer,
    // and read again once it is replaced.
    QHash<QString, QDateTime> damagedPreviews_;
};

extern Tpreface01* preface01;
