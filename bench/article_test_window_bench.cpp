// The article test window driven as a learner drives it, on Qt's offscreen
// platform: opening an article, typing one character (its code, Space, and
// "." to take it back, with the repaint that follows), and the automatic word
// segmentation beside the bare walk over the same article. Articles of
// 1 k to 1 M characters are cut from the prose of Debian's fortunes-zh
// package (/usr/share/games/fortunes/chinese), repeated as needed.
#include "app/create_windows.h"
#include "articletest/article_conversion.h"
#include "articletest/article_test_window.h"
#include "articletest/article_text.h"
#include "dictionary/dictionary_instance.h"
#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "platform/error_report.h"
#include "platform/gbk_codec.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace {

const char* const kCorpus = "/usr/share/games/fortunes/chinese";

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

// The GBK prose of the corpus, Chinese characters only.
const std::string& prose() {
    static const std::string text = [] {
        QFile f(QString::fromLatin1(kCorpus));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s is missing: install the fortunes-zh package\n", kCorpus);
            std::exit(1);
        }
        const std::string gbk = gbk::fromUnicodeLossy(QString::fromUtf8(f.readAll()));
        std::string chars;
        const auto* p = reinterpret_cast<const unsigned char*>(gbk.data());
        for (size_t i = 0; i + 1 < gbk.size();) {
            if (p[i] >= 0xB0 && p[i] <= 0xF7 && p[i + 1] >= 0xA1 && p[i + 1] <= 0xFE) {
                chars.append(gbk, i, 2);
                i += 2;
            } else {
                ++i;
            }
        }
        return chars;
    }();
    return text;
}

// A test file of `characters` characters in the program folder; its path.
QString article(int characters) {
    static std::map<int, QString> made;
    auto it = made.find(characters);
    if (it != made.end())
        return it->second;
    std::string source;
    while (source.size() < 2 * static_cast<size_t>(characters))
        source += prose();
    source.resize(2 * static_cast<size_t>(characters));
    const QString path = folder().path() + QStringLiteral("/article%1.tvm").arg(characters);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::exit(1);
    f.write(QByteArray::fromStdString(conversion::convert(source).bytes));
    f.close();
    return made[characters] = path;
}

// Shows the test window on an article, ready to start.
void openOn(const QString& path) {
    form_test->hide();
    QFile::remove(folder().path() + "/test.tvm");
    QFile::copy(path, folder().path() + "/test.tvm");
    form_test->show();
    QCoreApplication::processEvents();
}

void pressKey(Qt::Key key) {
    QTest::keyClick(form_test->Edit_input, key, Qt::KeypadModifier);
}

// Types the code of the current character, ends it, and takes it back.
void typeOneCharacter() {
    TestFlow& flow = form_test->flow();
    const TypingEngine& e = flow.engine;
    const std::string current = flow.text.bytesAt(e.AtArticleStart ? 0 : e.CursorPos, 2);
    const std::string code = two->CodeOfChar(current);
    for (char c : code.empty() ? std::string("1") : code)
        pressKey(static_cast<Qt::Key>(Qt::Key_0 + (c - '0')));
    pressKey(Qt::Key_Space);
    if (e.ListShowing)
        pressKey(Qt::Key_Space);
    QCoreApplication::processEvents(); // the repaint
    pressKey(Qt::Key_Period);
    QCoreApplication::processEvents();
}

void BM_OpenArticle(benchmark::State& state) {
    const QString path = article(static_cast<int>(state.range(0)));
    for (auto _ : state)
        openOn(path);
    state.counters["chars"] = static_cast<double>(state.range(0));
}

void BM_TypeCharacter(benchmark::State& state) {
    openOn(article(static_cast<int>(state.range(0))));
    form_test->BtnStart->click();
    // A few characters in, so the cursor is not at the article's start.
    for (int i = 0; i < 5; ++i) {
        typeOneCharacter();
        pressKey(Qt::Key_Space);
    }
    for (auto _ : state)
        typeOneCharacter();
    form_test->BtnPause->click();
}

// Segmentation in the window: the walk, the colouring and the repaints.
void BM_SegmentInWindow(benchmark::State& state) {
    const QString path = article(static_cast<int>(state.range(0)));
    form_test->openDialog = [path] { return path; };
    openOn(path);
    for (auto _ : state) {
        state.PauseTiming();
        form_test->select_file->trigger(); // the article afresh, uncoloured
        state.ResumeTiming();
        form_test->BitBtn1->click();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The walk and the colouring of the words, without the window's panel.
void BM_SegmentAndColour(benchmark::State& state) {
    openOn(article(static_cast<int>(state.range(0))));
    for (auto _ : state)
        form_test->flow().segmentArticle(false, [](int) {});
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The walk alone over the same article, through the same dictionary.
void BM_SegmentWalk(benchmark::State& state) {
    const TestText text = TestText::loadFile(article(static_cast<int>(state.range(0))));
    const auto lines = segmentation::articleLines(text.lines());
    for (auto _ : state) {
        const auto runs = segmentation::segment(
            lines, [](int n, std::string_view w) { return two->HasWord(n, w); }, [](int) {});
        benchmark::DoNotOptimize(runs.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_OpenArticle)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeCharacter)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SegmentWalk)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SegmentAndColour)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SegmentInWindow)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A program folder with the real dictionary and an empty score file.
    QDir home(folder().path());
    home.mkpath(QStringLiteral("files"));
    QFile(home.filePath(QStringLiteral("files/record.dat"))).open(QIODevice::WriteOnly);
    QFile::link(QStringLiteral(TARVO_HZLIB_DIR), home.filePath(QStringLiteral("hzlib")));
    setProgramFolder(folder().path() + u'/');
    prompts::setAnswerer([](const QString&) { return true; });
    // An error (a module that cannot load: the history not beside the
    // benchmark) is printed, never a dialog that nobody answers.
    errors::setReporter([](QWidget*, const QString& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    prompts::setTextAnswerer([](const QString&) { return std::optional<QString>(); });
    createWindows();
    form_test->HomeDir = folder().path() + u'/';

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    form_test->hide();
    destroyWindows();
    return 0;
}
