#include "articletest/article_test_flow.h"
#include "dictionary/dict_format.h"
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"
#include "tests/support/test_chars.h"

#include <gtest/gtest.h>

#include <tuple>

#include <QDir>
#include <QFile>

using dicttest::DictDir;

namespace {

class FakeDialogs : public TestDialogs {
public:
    bool askFindTestFile() override {
        ++asked;
        return findFile;
    }
    std::optional<QString> chooseTestFile() override { return chosen; }
    void showReport() override {
        reports.push_back({flow->LChange, flow->Lgo, flow->engine.typedCount,
                           flow->engine.wrongCount, flow->engine.errorLines.size()});
    }
    void scrollTextBy(int) override {}
    void scrollTextToTop() override { ++scrolledToTop; }

    struct Report {
        QString status, time;
        int typed, wrong;
        size_t errorLines;
    };
    TestFlow* flow = nullptr;
    bool findFile = false;
    int asked = 0;
    int scrolledToTop = 0;
    std::optional<QString> chosen;
    std::vector<Report> reports;
};

// The state of the window's controls, as one comparable row.
struct Controls {
    bool start, text, input, timer, pause, quit, setup, file, help;
    bool operator==(const Controls&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Controls& c) {
    return os << c.start << c.text << c.input << c.timer << c.pause << c.quit << c.setup << c.file
              << c.help;
}

class TestFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialogs.flow = &flow;
        // One article of 40 characters and a dictionary with its codes.
        std::string article;
        std::vector<dicttest::Rec> recs;
        for (int i = 0; i < 40; ++i) {
            const std::string c = gbkTestChar(i);
            article += c;
            recs.push_back({"9" + std::to_string(i), c});
        }
        std::stable_sort(recs.begin(), recs.end(), [](const auto& a, const auto& b) {
            return dict::compare(a.code, b.code) < 0;
        });
        dir.write("test.tvm", article.substr(0, 60) + "\r\r" + article.substr(60) +
                                  std::string(39, ' ') + "\r\r \r");
        QDir(QString::fromStdString(dir.path())).mkpath("hzlib");
        dir.write("hzlib/zh1", dicttest::groupBytes(1, recs));
        two = std::make_unique<Ttwo>(dir.path() + "/hzlib");
        flow.engine.setDictionary(two.get());
        // The test file is read from the program folder, not the working folder.
        flow.HomeDir = QString::fromStdString(dir.path());
    }
    Controls controls() const {
        return {flow.BtnStartShown,    flow.TextAreaShown,   flow.EditInputEnabled,
                flow.Timer1Running,    flow.BtnPauseEnabled, flow.SBtnQuitEnabled,
                flow.SBtnSetupEnabled, flow.SBtnfileEnabled, flow.SBtnHelpEnabled};
    }
    void type(int i) {
        for (char c : "9" + std::to_string(i))
            flow.FormKeyPress({TestKey::Digit, c - '0'});
        flow.FormKeyPress({TestKey::Space});
    }

    DictDir dir;
    std::unique_ptr<Ttwo> two;
    int minutes = 1;
    FakeDialogs dialogs;
    TestFlow flow{dialogs, minutes};
};

//                               start text  input timer pause quit  setup file  help
const Controls kReady{true, false, false, false, false, true, true, true, true};
const Controls kRunning{false, true, true, true, true, false, false, false, true};
const Controls kNoArticle{false, false, false, false, false, true, true, true, true};

TEST_F(TestFlowTest, ShowingWithTheTestFileIsReady) {
    flow.FormShow();
    EXPECT_EQ(controls(), kReady);
    EXPECT_EQ(flow.LChange, QStringLiteral("暂停"));
    EXPECT_EQ(flow.Lgo, QStringLiteral("0:00"));
    EXPECT_EQ(flow.Label_file, QStringLiteral("test.tvm"));
    EXPECT_EQ(flow.text.articleCharacters(), 40);
    EXPECT_EQ(dialogs.asked, 0);
}

TEST_F(TestFlowTest, ShowingWithoutTheTestFileAsks) {
    QFile::remove(QString::fromStdString(dir.path() + "/test.tvm"));
    flow.FormShow();
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_EQ(controls(), kNoArticle);
    flow.BtnStartClick(); // nothing to start
    EXPECT_EQ(controls(), kNoArticle);

    // OK, and a file chosen in a folder elsewhere.
    DictDir other;
    other.write("poem.tvm", std::string("\xD6\xD0\xCE\xC4") + std::string(55, ' ') + "\r\r \r");
    dialogs.findFile = true;
    dialogs.chosen = QString::fromStdString(other.path() + "/poem.tvm");
    flow.FormShow();
    EXPECT_EQ(controls(), kReady);
    EXPECT_EQ(flow.Label_file, QStringLiteral("poem.tvm"));
    EXPECT_EQ(flow.LChange, QStringLiteral("请按开始按钮"));
}

TEST_F(TestFlowTest, RunPauseAndContinue) {
    flow.FormShow();
    flow.BtnStartClick();
    EXPECT_EQ(controls(), kRunning);
    EXPECT_EQ(flow.LChange, QStringLiteral("正在测试"));
    EXPECT_EQ(dialogs.scrolledToTop, 1);
    flow.Timer1Timer();
    flow.Timer1Timer();
    EXPECT_EQ(flow.Lgo, QStringLiteral("00:02"));

    // Paused before anything was entered: settings may still change, and the
    // next start begins the article afresh.
    flow.BtnPauseClick();
    EXPECT_EQ(controls(), kReady);
    flow.BtnStartClick();
    EXPECT_EQ(flow.Lgo, QStringLiteral("0:00"));
    type(0);
    flow.Timer1Timer();
    flow.BtnPauseClick();
    Controls paused = kReady;
    paused.setup = false; // something was entered since the article was loaded
    EXPECT_EQ(controls(), paused);
    // Keys do nothing while paused.
    flow.FormKeyPress({TestKey::Space});
    EXPECT_EQ(flow.engine.typedCount, 1);
    flow.BtnStartClick();
    flow.Timer1Timer();
    EXPECT_EQ(flow.Lgo, QStringLiteral("00:02")) << "the clock continues";
    EXPECT_EQ(flow.engine.typedCount, 1);
}

TEST_F(TestFlowTest, AOneMinuteTestEndsOnItsSixtiethTick) {
    flow.FormShow();
    flow.BtnStartClick();
    // Entered before the first tick: counted all the same.
    type(0);
    flow.FormKeyPress({TestKey::Space}); // a skipped character: wrong
    for (int tick = 1; tick < 60; ++tick)
        flow.Timer1Timer();
    EXPECT_EQ(flow.Lgo, QStringLiteral("00:59"));
    EXPECT_TRUE(dialogs.reports.empty());
    flow.Timer1Timer();
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].status, QStringLiteral("测试时间到"));
    EXPECT_EQ(dialogs.reports[0].time, QStringLiteral("01:00"));
    EXPECT_EQ(dialogs.reports[0].typed, 2);
    EXPECT_EQ(dialogs.reports[0].wrong, 1);
    EXPECT_EQ(dialogs.reports[0].errorLines, 1u);
    // Afterwards: fresh counters, the cursor where it was, setup still disabled.
    EXPECT_EQ(flow.Lgo, QStringLiteral("0:00"));
    EXPECT_EQ(flow.engine.typedCount, 0);
    EXPECT_EQ(flow.engine.wrongCount, 0);
    EXPECT_EQ(flow.ProgressBar1, 0);
    EXPECT_EQ(flow.LChange, QStringLiteral("请按开始键继续测试"));
    Controls timeUp = kReady;
    timeUp.setup = false;
    EXPECT_EQ(controls(), timeUp);
    EXPECT_EQ(flow.engine.CursorPos, 4);
    flow.BtnStartClick();
    type(2);
    EXPECT_EQ(flow.engine.CursorPos, 6) << "the article goes on at the cursor";
}

TEST_F(TestFlowTest, TheEndOfTheArticleShowsTheReportAndReloads) {
    flow.FormShow();
    flow.BtnStartClick();
    flow.Timer1Timer();
    for (int i = 0; i < 39; ++i)
        type(i);
    flow.FormKeyPress({TestKey::Space}); // the last one skipped
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].status, QStringLiteral("文章测试结束"));
    EXPECT_EQ(dialogs.reports[0].typed, 40);
    EXPECT_EQ(dialogs.reports[0].wrong, 1);
    EXPECT_EQ(flow.LChange, QStringLiteral("请选择文章"));
    EXPECT_EQ(controls(), kReady);
    EXPECT_TRUE(flow.engine.AtArticleStart);
    EXPECT_TRUE(flow.text.line(1).empty()) << "the article is shown fresh";
    EXPECT_EQ(flow.text.mark(0, 0), TestText::Mark::Untyped);
    // The counters stay until the next test starts.
    EXPECT_EQ(flow.engine.typedCount, 40);
    flow.BtnStartClick();
    EXPECT_EQ(flow.Lgo, QStringLiteral("0:00"));
    EXPECT_EQ(flow.engine.typedCount, 0);
    EXPECT_EQ(flow.engine.wrongCount, 0);
}

// Each field at its first and last one-digit value and its first two-digit
// one: a slip at the top of the one-digit range shows as "9:00" or "010:00".
TEST(TestFlowTime, TimeTexts) {
    const std::tuple<int, int, const char*> rows[] = {
        {0, 0, "00:00"},  {0, 1, "00:01"},   {0, 9, "00:09"},   {0, 10, "00:10"},
        {0, 59, "00:59"}, {5, 7, "05:07"},   {9, 0, "09:00"},   {9, 59, "09:59"},
        {10, 0, "10:00"}, {12, 30, "12:30"}, {99, 59, "99:59"}, {120, 0, "120:00"}};
    for (const auto& [minutes, seconds, text] : rows)
        EXPECT_EQ(TestFlow::timeText(minutes, seconds), QString::fromLatin1(text))
            << minutes << ":" << seconds;
}

} // namespace

namespace {

TEST_F(TestFlowTest, SegmentingDuringATestRestartsTheClockItShows) {
    dir.write("hzlib/zh2", "");
    dir.write("hzlib/zh3", "");
    dir.write("hzlib/zh4", "");
    dir.write("hzlib/zh5", "");
    for (const char* f : {"zh1.hz", "zh3.hz", "zh4.hz", "zh5.hz"})
        dir.write(std::string("hzlib/") + f, "");
    // Two words side by side and one across the end of the first line.
    auto word = [](int first) { return gbkTestChar(first) + gbkTestChar(first + 1); };
    dir.write("hzlib/zh2.hz",
              dicttest::groupBytes(2, {{"1", word(0)}, {"1", word(2)}, {"1", word(29)}}));
    flow.FormShow();
    flow.BtnStartClick();
    for (int i = 0; i < 5; ++i)
        flow.Timer1Timer();
    ASSERT_EQ(flow.Lgo, QStringLiteral("00:05"));
    std::vector<int> walked;
    flow.segmentArticle(false, [&](int line) { walked.push_back(line); });
    EXPECT_EQ(walked, (std::vector<int>{0, 1, 2})); // the two article lines and the end line
    // Each word's colour covers its own characters and stops there.
    auto marks = [&](int line, int from, int to) {
        std::string out;
        for (int i = from; i < to; ++i) {
            const auto m = flow.text.mark(line, i);
            out += m == TestText::Mark::WordMagenta ? 'M'
                   : m == TestText::Mark::WordBlue  ? 'B'
                                                    : '.';
        }
        return out;
    };
    EXPECT_EQ(marks(0, 0, 6), "MMBB..");
    EXPECT_EQ(marks(0, 27, 30), "..M");
    EXPECT_EQ(marks(2, 0, 3), "M..");
    EXPECT_EQ(flow.Lgo, QStringLiteral("0:00"));
    EXPECT_EQ(flow.ProgressBar1, 0);
    flow.Timer1Timer();
    EXPECT_EQ(flow.Lgo, QStringLiteral("00:01")) << "not back to the time before";
    EXPECT_EQ(flow.ProgressBar1, 1);
}

TEST_F(TestFlowTest, ANewTestForgetsTheErrorsOfAnAbandonedOne) {
    flow.FormShow();
    flow.BtnStartClick();
    flow.FormKeyPress({TestKey::Space}); // skipped: an error line
    ASSERT_EQ(flow.engine.errorLines.size(), 1u);
    // The window is closed mid-test and shown again.
    flow.FormShow();
    flow.BtnStartClick();
    type(0);
    flow.FormKeyPress({TestKey::Backspace}); // a right character taken back
    EXPECT_TRUE(flow.engine.errorLines.empty());
    EXPECT_EQ(flow.engine.wrongCount, 0);
    for (int i = 0; i < 60; ++i)
        flow.Timer1Timer();
    ASSERT_EQ(dialogs.reports.size(), 1u);
    EXPECT_EQ(dialogs.reports[0].errorLines, 0u);
    EXPECT_EQ(dialogs.reports[0].wrong, 0);
}

} // namespace
