// Word segmentation of a real corpus through the dictionary files, beside the
// same longest-match walk over an in-memory word set built in the same run;
// and the conversion of a 10 MB text into a test file.
//
// Corpus: the prose of Debian's fortunes-zh package
// (/usr/share/games/fortunes/chinese), converted to GBK here.
#include "articletest/article_conversion.h"
#include "articletest/article_text.h"
#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"
#include "dictionary/read_whole_file.h"
#include "dictionary/segmentation.h"
#include "dictionary/two.h"
#include "platform/gbk_codec.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

const std::string kDir = TARVO_HZLIB_DIR;
const char* const kCorpus = "/usr/share/games/fortunes/chinese";

struct Corpus {
    std::string utf8;                        // the text as the package ships it
    std::string gbk;                         // the text in GBK
    TestText text = TestText::fromBytes({}); // as a test article
    std::vector<std::string_view> lines;
    int characters = 0;
};

const Corpus& corpus() {
    static Corpus c = [] {
        Corpus c;
        QFile f(QString::fromLatin1(kCorpus));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s is missing: install the fortunes-zh package\n", kCorpus);
            std::exit(1);
        }
        c.utf8 = f.readAll().toStdString();
        c.gbk = gbk::fromUnicodeLossy(QString::fromUtf8(c.utf8));
        c.text = TestText::fromBytes(conversion::convert(c.gbk).bytes);
        c.lines = segmentation::articleLines(c.text.lines());
        c.characters = c.text.articleCharacters();
        return c;
    }();
    return c;
}

// The twin: every word of the text-ordered files in hash sets, one per group.
struct WordSets {
    std::unordered_set<std::string> group[6];
    WordSets() {
        for (int g = 1; g <= 5; ++g) {
            const dict::GroupFile f(g, readWholeFile(kDir + "/" + Ttwo::fileName(g, true)));
            for (int64_t i = 0; i < f.recordCount(); ++i)
                group[g].insert(f.candidateText(i));
        }
    }
    bool operator()(int n, std::string_view w) const {
        return group[dict::groupOfLength(n)].count(std::string(w)) > 0;
    }
};

std::vector<segmentation::WordRun> segmentWithDictionary(Ttwo& two) {
    return segmentation::segment(
        corpus().lines, [&](int n, std::string_view w) { return two.HasWord(n, w); }, [](int) {});
}

void BM_SegmentCorpus(benchmark::State& s) {
    Ttwo two(kDir);
    segmentWithDictionary(two); // files read once, before timing
    for (auto _ : s)
        benchmark::DoNotOptimize(segmentWithDictionary(two).data());
    s.counters["chars/s"] = benchmark::Counter(
        static_cast<double>(corpus().characters) * s.iterations(), benchmark::Counter::kIsRate);
}

void BM_SegmentCorpus_Twin(benchmark::State& s) {
    static const WordSets sets;
    for (auto _ : s)
        benchmark::DoNotOptimize(segmentation::segment(corpus().lines, sets, [](int) {}).data());
    s.counters["chars/s"] = benchmark::Counter(
        static_cast<double>(corpus().characters) * s.iterations(), benchmark::Counter::kIsRate);
}

// 10 MB of the corpus, cut on a line end so the text stays well-formed.
std::string tenMegabytes(const std::string& text = corpus().gbk) {
    std::string big;
    while (big.size() < 10u * 1024 * 1024)
        big += text;
    big.resize(big.rfind('\n', 10u * 1024 * 1024) + 1);
    return big;
}

void BM_Convert10MB(benchmark::State& s) {
    const std::string big = tenMegabytes();
    for (auto _ : s)
        benchmark::DoNotOptimize(conversion::convert(big).bytes.data());
    s.SetBytesProcessed(static_cast<int64_t>(big.size()) * s.iterations());
}

// The same text in UTF-8: checked as a whole, then read character by character.
void BM_Convert10MB_Utf8(benchmark::State& s) {
    const std::string big = tenMegabytes(corpus().utf8);
    if (conversion::detectEncoding(big) != conversion::Encoding::Utf8)
        s.SkipWithError("the corpus is not read as UTF-8");
    for (auto _ : s)
        benchmark::DoNotOptimize(conversion::convert(big).bytes.data());
    s.SetBytesProcessed(static_cast<int64_t>(big.size()) * s.iterations());
}

void BM_ConvertFile10MB(benchmark::State& s) {
    QTemporaryDir dir;
    const std::string source = dir.path().toStdString() + "/big.txt";
    const std::string big = tenMegabytes();
    {
        QFile f(QString::fromStdString(source));
        f.open(QIODevice::WriteOnly);
        f.write(big.data(), static_cast<qint64>(big.size()));
    }
    for (auto _ : s)
        benchmark::DoNotOptimize(conversion::convertFile(source).characters);
    s.SetBytesProcessed(static_cast<int64_t>(big.size()) * s.iterations());
}

BENCHMARK(BM_SegmentCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SegmentCorpus_Twin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert10MB_Utf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertFile10MB)->Unit(benchmark::kMillisecond);

class RateReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> rate;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            auto it = r.counters.find("chars/s");
            if (it != r.counters.end())
                rate[r.benchmark_name()] = it->second;
            else if (r.counters.count("bytes_per_second"))
                rate[r.benchmark_name()] = r.counters.at("bytes_per_second");
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    const Corpus& c = corpus();
    std::printf("Corpus: %s, %d characters in %zu article lines\n", kCorpus, c.characters,
                c.lines.size());
    {
        Ttwo two(kDir);
        const auto fromFiles = segmentWithDictionary(two);
        const auto fromSets = segmentation::segment(c.lines, WordSets(), [](int) {});
        std::printf("Words found: %zu runs; the dictionary and the word set agree: %s\n",
                    fromFiles.size(), fromFiles == fromSets ? "yes" : "NO");
        if (fromFiles != fromSets)
            return 1;
    }
    benchmark::Initialize(&argc, argv);
    RateReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double files = reporter.rate["BM_SegmentCorpus"];
    const double sets = reporter.rate["BM_SegmentCorpus_Twin"];
    std::printf(
        "\nSegmentation: %.2f M chars/s through the dictionary files (goal: 3, never below 1), "
        "%.2f M chars/s over the in-memory word set; time ratio %.2f (goal: 1.5 or less)\n",
        files / 1e6, sets / 1e6, files > 0 ? sets / files : 0.0);
    std::printf("Conversion of 10 MB: %.0f MB/s in memory (GBK), %.0f MB/s in memory (UTF-8), "
                "%.0f MB/s from file to file (goal: 150)\n",
                reporter.rate["BM_Convert10MB"] / 1048576.0,
                reporter.rate["BM_Convert10MB_Utf8"] / 1048576.0,
                reporter.rate["BM_ConvertFile10MB"] / 1048576.0);
    benchmark::Shutdown();
    return 0;
}
