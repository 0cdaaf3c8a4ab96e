#pragma once

#include "articletest/article_text.h"
#include "articletest/typing_engine.h"

#include <QString>

#include <functional>
#include <optional>

class Ttwo;

// The dialogs of the test window, which the flow asks for.
class TestDialogs {
public:
    virtual ~TestDialogs() = default;
    // "没有找到测试文件，要亲自找吗" (OK/Cancel); true for OK.
    virtual bool askFindTestFile() = 0;
    // The open dialog for test files; nullopt when cancelled.
    virtual std::optional<QString> chooseTestFile() = 0;
    // Shows the report modally (it reads the counters, the time and the error lines).
    virtual void showReport() = 0;
    virtual void scrollTextBy(int pixels) = 0;
    virtual void scrollTextToTop() = 0;
};

// The flow of the article test window: loading the article, start, pause,
// the test clock and time-up, and the end of the article; with the typing
// engine that enters what the learner types. Holds what the window shows:
// the window draws these fields after every event.
class TestFlow : public TypingHost {
public:
    TestFlow(TestDialogs& dialogs, const int& testMinutes);

    // Window events.
    void FormShow();
    void BtnStartClick();
    void BtnPauseClick();
    void Timer1Timer();
    void select_fileClick();
    bool FormKeyPress(KeyPress key) { return engine.keyPress(key); }
    // Loads a chosen article and makes the window ready for it.
    void takeArticle(const QString& path);
    // Colours the dictionary words of the loaded article: all words of 2 to 9
    // characters, or with `frequentOnly` the two-character words of the
    // high-frequency list. `afterLine` runs after each article line (the
    // window advances its progress bar). The window draws the whole text
    // afterwards.
    void segmentArticle(bool frequentOnly, const std::function<void(int line)>& afterLine);

    // TypingHost.
    bool startButtonShown() const override { return BtnStartShown; }
    bool textAreaShown() const override { return TextAreaShown; }
    void articleEnded() override;
    void scrollTextBy(int pixels) override { dialogs_.scrollTextBy(pixels); }

    // The time text of the test clock: minutes and seconds, each with a
    // leading zero below 10 ("05:07"); "0:00" before a test.
    static QString timeText(int minutes, int seconds);

    // The program folder: the test file "test.tvm" is read from it.
    QString HomeDir;
    QString TestFile = QStringLiteral("test.tvm");
    bool hasArticle = false;
    TestText text;       // the article as shown, with what was entered
    TestText loadedText; // the article as loaded, for a fresh start
    TypingEngine engine;

    // What the window shows.
    QString LChange = QStringLiteral("请选择文章");
    QString Label_file = QStringLiteral("缺省文章");
    QString Lgo = QStringLiteral("0:00");
    int ProgressBar1 = 0;
    int ElapsedMinutes = 0;
    int ElapsedSeconds = 0;
    bool Timer1Running = false;
    bool BtnStartShown = true;
    bool TextAreaShown = false;
    bool EditInputEnabled = false;
    bool BtnPauseEnabled = false;
    bool SBtnQuitEnabled = true;
    bool SBtnSetupEnabled = true;
    bool SBtnfileEnabled = true;
    bool SBtnHelpEnabled = true;
    bool focusStart = false; // the start button should take the focus
    bool focusInput = false; // the code box should take the focus

private:
    void load(const QString& path);

    TestDialogs& dialogs_;
    const int& testMinutes_;
};
