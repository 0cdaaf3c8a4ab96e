// Lookups of the code dictionary on the generated dictionary, each beside an
// in-memory twin: a plain std::equal_range / std::binary_search over the same
// records held as strings. Prints the ratio of each pair, and the time and
// memory of loading every dictionary file.
#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"
#include "dictionary/read_whole_file.h"
#include "dictionary/two.h"
#include "platform/gbk_codec.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::string kDir = TARVO_HZLIB_DIR;

std::string g(const char* utf8) {
    return *gbk::fromUnicode(QString::fromUtf8(utf8));
}

struct Record {
    std::string code;
    std::string text;
};

std::vector<Record> records(int group, bool byText) {
    const dict::GroupFile f(group, readWholeFile(kDir + "/" + Ttwo::fileName(group, byText)));
    std::vector<Record> out;
    for (int64_t i = 0; i < f.recordCount(); ++i)
        out.push_back({dict::decodeCode(f.record(i)), f.candidateText(i)});
    return out;
}

struct ByCode {
    bool operator()(const Record& r, const std::string& c) const {
        return dict::compare(r.code, c) < 0;
    }
    bool operator()(const std::string& c, const Record& r) const {
        return dict::compare(c, r.code) < 0;
    }
};

struct Twin {
    std::vector<Record> byCode[6];
    std::vector<std::string> byText4;
    std::vector<Record> charsByText; // zh1 by character, for the code of a character
    std::vector<std::string> candidates;

    Twin() {
        for (int grp = 1; grp <= 5; ++grp)
            byCode[grp] = records(grp, false);
        for (const Record& r : records(4, true))
            byText4.push_back(r.text);
        charsByText = byCode[1];
        std::stable_sort(
            charsByText.begin(), charsByText.end(),
            [](const Record& a, const Record& b) { return dict::compare(a.text, b.text) < 0; });
    }
    void lookup(int firstGroup, int lastGroup, const std::string& code) {
        candidates.clear();
        for (int grp = firstGroup; grp <= lastGroup; ++grp) {
            auto [b, e] = std::equal_range(byCode[grp].begin(), byCode[grp].end(), code, ByCode{});
            for (auto it = b; it != e; ++it)
                candidates.push_back(it->text);
        }
    }
    bool hasWord4(const std::string& w) const {
        return std::binary_search(
            byText4.begin(), byText4.end(), w,
            [](const std::string& a, const std::string& b) { return dict::compare(a, b) < 0; });
    }
    std::string codeOf(const std::string& ch) const {
        auto it = std::lower_bound(
            charsByText.begin(), charsByText.end(), ch,
            [](const Record& r, const std::string& c) { return dict::compare(r.text, c) < 0; });
        return it != charsByText.end() && it->text == ch ? it->code : std::string();
    }
};

Twin& twin() {
    static Twin t;
    return t;
}
Ttwo& dictionary() {
    static Ttwo two(kDir);
    return two;
}

const std::string kCharCode = "50006";  // 中
const std::string kWordCode = "500601"; // 中国
const char* kWord4 = "自由自在";
const char* kRareChar = "鼷";

void BM_LookupCodeChars(benchmark::State& s) {
    Ttwo& two = dictionary();
    for (auto _ : s) {
        two.LookupCode(Ttwo::Scope::Characters, kCharCode);
        benchmark::DoNotOptimize(two.Candidates().data());
    }
}
void BM_LookupCodeChars_Twin(benchmark::State& s) {
    Twin& t = twin();
    for (auto _ : s) {
        t.lookup(1, 1, kCharCode);
        benchmark::DoNotOptimize(t.candidates.data());
    }
}
void BM_LookupCodeWords(benchmark::State& s) {
    Ttwo& two = dictionary();
    for (auto _ : s) {
        two.LookupCode(Ttwo::Scope::Words, kWordCode);
        benchmark::DoNotOptimize(two.Candidates().data());
    }
}
void BM_LookupCodeWords_Twin(benchmark::State& s) {
    Twin& t = twin();
    for (auto _ : s) {
        t.lookup(2, 5, kWordCode);
        benchmark::DoNotOptimize(t.candidates.data());
    }
}
void BM_HasWord4(benchmark::State& s) {
    Ttwo& two = dictionary();
    const std::string w = g(kWord4);
    for (auto _ : s)
        benchmark::DoNotOptimize(two.HasWord(4, w));
}
void BM_HasWord4_Twin(benchmark::State& s) {
    Twin& t = twin();
    const std::string w = g(kWord4);
    for (auto _ : s)
        benchmark::DoNotOptimize(t.hasWord4(w));
}
void BM_CodeOfRareChar(benchmark::State& s) {
    Ttwo& two = dictionary();
    const std::string c = g(kRareChar);
    for (auto _ : s)
        benchmark::DoNotOptimize(two.CodeOfChar(c));
}
void BM_CodeOfRareChar_Twin(benchmark::State& s) {
    Twin& t = twin();
    const std::string c = g(kRareChar);
    for (auto _ : s)
        benchmark::DoNotOptimize(t.codeOf(c));
}

// Reads every dictionary file into a fresh dictionary.
void loadAll(Ttwo& two) {
    two.LookupCode(Ttwo::Scope::Words, kWordCode);
    two.LookupCode(Ttwo::Scope::Characters, kCharCode);
    for (int len = 1; len <= 5; ++len)
        two.HasWord(len, "");
    two.IsFrequentWord("");
    two.CodeOfChar(g("中"));
}

void BM_LoadAllFiles(benchmark::State& s) {
    size_t bytes = 0;
    for (auto _ : s) {
        Ttwo two(kDir);
        loadAll(two);
        bytes = two.memoryBytes();
    }
    s.counters["MB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
}

BENCHMARK(BM_LookupCodeChars);
BENCHMARK(BM_LookupCodeChars_Twin);
BENCHMARK(BM_LookupCodeWords);
BENCHMARK(BM_LookupCodeWords_Twin);
BENCHMARK(BM_HasWord4);
BENCHMARK(BM_HasWord4_Twin);
BENCHMARK(BM_CodeOfRareChar);
BENCHMARK(BM_CodeOfRareChar_Twin);
BENCHMARK(BM_LoadAllFiles)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration, to print the ratios after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nsPerOp;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            nsPerOp[r.benchmark_name()] =
                r.GetAdjustedRealTime() * (r.time_unit == benchmark::kMillisecond ? 1e6 : 1.0);
        ConsoleReporter::ReportRuns(runs);
    }
};

long maxRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    // Memory of one full load, measured before anything else grows the process.
    const long before = maxRssKb();
    size_t held = 0;
    int reads = 0;
    {
        Ttwo two(kDir);
        const auto t0 = std::chrono::steady_clock::now();
        loadAll(two);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count();
        held = two.memoryBytes();
        reads = two.fileReads();
        std::printf(
            "Loading all %d dictionary files: %.1f ms, %.1f MB held, process grew by %.1f MB "
            "(goal: under 50 ms and 30 MB)\n",
            reads, ms, static_cast<double>(held) / 1048576.0,
            static_cast<double>(maxRssKb() - before) / 1024.0);
    }

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    loadAll(dictionary()); // first use of the files the benchmarks did not touch
    const int readsBefore = dictionary().fileReads();
    loadAll(dictionary());
    std::printf("\nFiles read again on the lookup path after the first use: %d\n",
                dictionary().fileReads() - readsBefore);
    std::printf("Ratio to the in-memory twin (goal: 1.5 or less):\n");
    for (const char* name :
         {"BM_LookupCodeChars", "BM_LookupCodeWords", "BM_HasWord4", "BM_CodeOfRareChar"}) {
        auto a = reporter.nsPerOp.find(name);
        auto b = reporter.nsPerOp.find(std::string(name) + "_Twin");
        if (a != reporter.nsPerOp.end() && b != reporter.nsPerOp.end() && b->second > 0)
            std::printf("  %-22s %8.1f ns vs %8.1f ns  ratio %.2f\n", name, a->second, b->second,
                        a->second / b->second);
    }
    benchmark::Shutdown();
    return 0;
}
