#include "articletest/article_test_flow.h"

#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>

TestFlow::TestFlow(TestDialogs& dialogs, const int& testMinutes)
    : text(TestText::fromBytes({})), loadedText(text), engine(text, *this), dialogs_(dialogs),
      testMinutes_(testMinutes) {}

QString TestFlow::timeText(int minutes, int seconds) {
    auto two = [](int v) {
        return (v < 10 ? QStringLiteral("0") : QString()) + QString::number(v);
    };
    return two(minutes) + u':' + two(seconds);
}

void TestFlow::load(const QString& path) {
    loadedText = TestText::loadFile(path);
    text = loadedText;
    hasArticle = true;
    engine.changedLines.clear();
    engine.segmentationEnabled = true;
}

void TestFlow::FormShow() {
    // The test file of the program folder, shown by its name.
    const QString name = QStringLiteral("test.tvm");
    TestFile = regularfile::inFolder(HomeDir, name);
    engine.AtArticleStart = true;
    engine.segmentationEnabled = true;
    Lgo = QStringLiteral("0:00");
    ProgressBar1 = 0;
    if (QFile::exists(TestFile)) {
        try {
            load(TestFile);
        } catch (...) {
            hasArticle = false;
            BtnStartShown = false;
            throw;
        }
        Label_file = name;
        BtnPauseClick(); // ready, with the status "暂停"
        return;
    }
    hasArticle = false;
    if (dialogs_.askFindTestFile()) {
        const QString saved = LChange;
        const std::optional<QString> chosen = dialogs_.chooseTestFile();
        if (chosen) {
            takeArticle(*chosen);
        } else {
            LChange = saved;
            BtnStartShown = false;
        }
    } else {
        BtnStartShown = false;
        SBtnSetupEnabled = true;
    }
}

void TestFlow::takeArticle(const QString& path) {
    load(path);
    engine.clearErrors();
    TestFile = path;
    Label_file = QFileInfo(path).fileName();
    LChange = QStringLiteral("请按开始按钮");
    engine.AtArticleStart = true;
    BtnStartShown = true;
    TextAreaShown = false;
    SBtnSetupEnabled = true;
    focusStart = true;
}

void TestFlow::select_fileClick() {
    const QString saved = LChange;
    const std::optional<QString> chosen = dialogs_.chooseTestFile();
    if (chosen)
        takeArticle(*chosen);
    else
        LChange = saved;
}

void TestFlow::BtnStartClick() {
    if (!hasArticle)
        return;
    LChange = QStringLiteral("正在测试");
    BtnStartShown = false;
    TextAreaShown = true;
    BtnPauseEnabled = true;
    SBtnQuitEnabled = false;
    SBtnSetupEnabled = false;
    SBtnfileEnabled = false;
    engine.codeBox.clear();
    EditInputEnabled = true;
    focusInput = true;
    engine.ListShowing = false;
    Timer1Running = true;
    if (engine.AtArticleStart) {
        // A new test: the clock and the counters start here, so characters
        // entered before the first tick are counted too. (After a time-up
        // they are already zero.)
        Lgo = QStringLiteral("0:00");
        ProgressBar1 = 0;
        ElapsedMinutes = ElapsedSeconds = 0;
        engine.typedCount = 0;
        engine.wrongCount = 0;
        // Errors left by a test that was abandoned (the window closed
        // mid-test) belong to no report of this one.
        engine.clearErrors();
        dialogs_.scrollTextToTop();
    }
}

void TestFlow::BtnPauseClick() {
    LChange = QStringLiteral("暂停");
    Timer1Running = false;
    BtnStartShown = true;
    focusStart = true;
    TextAreaShown = false;
    BtnPauseEnabled = false;
    SBtnQuitEnabled = true;
    SBtnSetupEnabled = engine.AtArticleStart;
    SBtnfileEnabled = true;
    SBtnHelpEnabled = true;
    engine.codeBox.clear();
    EditInputEnabled = false;
    engine.candidatePage.clear();
    engine.previousArrowShown = engine.nextArrowShown = false;
}

void TestFlow::Timer1Timer() {
    if (++ElapsedSeconds == 60) {
        ElapsedSeconds = 0;
        ++ElapsedMinutes;
    }
    Lgo = timeText(ElapsedMinutes, ElapsedSeconds);
    ++ProgressBar1;
    if (ElapsedMinutes < testMinutes_)
        return;

    // Time is up.
    engine.codeBox.clear();
    engine.candidatePage.clear();
    EditInputEnabled = false;
    Timer1Running = false;
    LChange = QStringLiteral("测试时间到");
    dialogs_.showReport();
    engine.clearErrors();
    ProgressBar1 = 0;
    engine.typedCount = 0;
    engine.wrongCount = 0;
    Lgo = QStringLiteral("0:00");
    ElapsedMinutes = ElapsedSeconds = 0;
    BtnStartShown = true;
    focusStart = true;
    TextAreaShown = false;
    BtnPauseEnabled = false;
    SBtnQuitEnabled = true;
    SBtnfileEnabled = true;
    SBtnHelpEnabled = true;
    LChange = QStringLiteral("请按开始键继续测试");
}

void TestFlow::articleEnded() {
    // The last code and its candidates go, so that they do not stand behind
    // the report.
    engine.codeBox.clear();
    engine.candidatePage.clear();
    engine.previousArrowShown = engine.nextArrowShown = false;
    EditInputEnabled = false;
    Timer1Running = false;
    LChange = QStringLiteral("文章测试结束");
    dialogs_.showReport();
    LChange = QStringLiteral("请选择文章");
    TextAreaShown = false;
    BtnStartShown = true;
    focusStart = true;
    // The article as loaded again: all marks and entries gone.
    text = loadedText;
    for (int i = 0; i < text.lineCount(); ++i)
        engine.changedLines.insert(i);
    engine.AtArticleStart = true;
    engine.clearErrors();
    BtnPauseEnabled = false;
    SBtnQuitEnabled = true;
    SBtnSetupEnabled = true;
    SBtnfileEnabled = true;
    SBtnHelpEnabled = true;
}

void TestFlow::segmentArticle(bool frequentOnly, const std::function<void(int line)>& afterLine) {
    Ttwo& two = engine.dictionaryForLookups();
    const auto lines = segmentation::articleLines(text.lines());
    const auto runs = segmentation::segment(
        lines,
        [&](int n, std::string_view w) {
            return frequentOnly ? n == 2 && two.IsFrequentWord(w) : two.HasWord(n, w);
        },
        afterLine);
    for (const auto& r : runs)
        text.markRange(2 * r.articleLine, r.start, r.length,
                       r.magenta ? TestText::Mark::WordMagenta : TestText::Mark::WordBlue);
    engine.segmentationEnabled = false;
    // The clock starts again with the shown time, so the next tick reads 00:01.
    Lgo = QStringLiteral("0:00");
    ProgressBar1 = 0;
    ElapsedMinutes = ElapsedSeconds = 0;
    engine.codeBox.clear();
    EditInputEnabled = true;
    focusStart = true;
    focusInput = !BtnStartShown;
    dialogs_.scrollTextToTop();
}
