#include "dictionary/dictionary_error.h"
#include "dictionary/two.h"
#include "tests/dictionary/dict_test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

using dicttest::DictDir;
using dicttest::g;
using dicttest::groupBytes;

namespace {

// A change on disk reaches the dictionary through the folder watch, a few
// microseconds after the write; wait for it with a generous deadline.
bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

std::string firstCandidate(Ttwo& two, const std::string& code) {
    two.LookupCode(Ttwo::Scope::Characters, code);
    return two.CandidateCount() > 0 ? two.Candidates()[0] : std::string();
}

TEST(TtwoReload, LookupsReadEachFileOnceWhileItIsUnchanged) {
    DictDir dir;
    dir.write("zh1", groupBytes(1, {{"1", g("一")}, {"2", g("二")}}));
    Ttwo two(dir.path());
    EXPECT_EQ(two.fileReads(), 0) << "creating the dictionary reads nothing";
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(firstCandidate(two, i % 2 ? "1" : "2"), i % 2 ? g("一") : g("二"));
    EXPECT_EQ(two.CodeOfChar(g("二")), "2");
    EXPECT_EQ(two.fileReads(), 1);
}

TEST(TtwoReload, ReplacedRewrittenRemovedAndRestoredFilesAreSeen) {
    DictDir dir;
    dir.write("zh1", groupBytes(1, {{"1", g("一")}}));
    Ttwo two(dir.path());
    ASSERT_EQ(firstCandidate(two, "1"), g("一"));

    // Replaced by rename, as an installer does.
    dir.replace("zh1", groupBytes(1, {{"1", g("壹")}}));
    EXPECT_TRUE(eventually([&] { return firstCandidate(two, "1") == g("壹"); }));

    // Rewritten in place.
    dir.write("zh1", groupBytes(1, {{"1", g("幺")}, {"2", g("二")}}));
    EXPECT_TRUE(eventually([&] { return firstCandidate(two, "2") == g("二"); }));
    EXPECT_EQ(firstCandidate(two, "1"), g("幺"));
    EXPECT_EQ(two.CodeOfChar(g("二")), "2");

    // Removed: the next lookup reports the missing file.
    dir.remove("zh1");
    EXPECT_TRUE(eventually([&] {
        try {
            firstCandidate(two, "1");
            return false;
        } catch (const DictionaryError& e) {
            return e.file() == dir.path() + "/zh1";
        }
    }));

    // Restored.
    dir.write("zh1", groupBytes(1, {{"1", g("一")}}));
    EXPECT_EQ(firstCandidate(two, "1"), g("一"));
}

TEST(TtwoReload, WithoutAFolderWatchTheFilesIdentityTellsAChange) {
    DictDir dir;
    dir.write("zh1", groupBytes(1, {{"1", g("一")}}));
    Ttwo two(dir.path(), Ttwo::ChangeCheck::FileIdentity);
    ASSERT_EQ(firstCandidate(two, "1"), g("一"));
    ASSERT_EQ(firstCandidate(two, "1"), g("一"));
    EXPECT_EQ(two.fileReads(), 1) << "an unchanged file is not read again";

    // Rewritten in place with the same size: only its modification time tells.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    dir.write("zh1", groupBytes(1, {{"1", g("壹")}}));
    EXPECT_EQ(firstCandidate(two, "1"), g("壹")) << "seen at the very next lookup";
    EXPECT_EQ(two.fileReads(), 2);

    // Replaced by rename: a new inode.
    dir.replace("zh1", groupBytes(1, {{"1", g("幺")}}));
    EXPECT_EQ(firstCandidate(two, "1"), g("幺"));
    EXPECT_EQ(firstCandidate(two, "1"), g("幺"));
    EXPECT_EQ(two.fileReads(), 3);
}

TEST(TtwoReload, AFolderMovedAwayAndBackIsWatchedAgain) {
    DictDir parent;
    const std::string hz = parent.path() + "/hzlib";
    std::filesystem::create_directory(hz);
    auto writeZh1 = [&](const std::string& text) {
        const std::string tmp = parent.path() + "/zh1.tmp";
        FILE* f = std::fopen(tmp.c_str(), "wb");
        const std::string bytes = groupBytes(1, {{"1", text}});
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        std::filesystem::rename(tmp, hz + "/zh1");
    };
    writeZh1(g("一"));
    Ttwo two(hz);
    ASSERT_EQ(firstCandidate(two, "1"), g("一"));

    std::filesystem::rename(hz, parent.path() + "/old");
    std::filesystem::create_directory(hz);
    writeZh1(g("壹"));
    EXPECT_TRUE(eventually([&] { return firstCandidate(two, "1") == g("壹"); }));

    // The new folder is watched in its turn.
    writeZh1(g("幺"));
    EXPECT_TRUE(eventually([&] { return firstCandidate(two, "1") == g("幺"); }));
}

} // namespace
