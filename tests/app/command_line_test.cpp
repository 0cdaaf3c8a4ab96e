// What tarvo answers on its command line before any window opens.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(CommandLine, HelpAndVersionAnswerAndEverythingElseOpensTheWindow) {
    struct Row {
        std::vector<std::string> args;
        std::optional<int> status;
        std::string startsWith;
    };
    const Row rows[] = {
        {{"--version"}, 0, "tarvo " TARVO_VERSION "\n"},
        {{"--help"}, 0, "用法：tarvo"},
        {{"-h"}, 0, "用法：tarvo"},
        {{"-style", "fusion", "--version"}, 0, "tarvo "},
        {{}, std::nullopt, ""},
        {{"-style", "fusion"}, std::nullopt, ""},
    };
    for (const Row& r : rows) {
        std::ostringstream out;
        const auto status = answerCommandLine(r.args, out);
        EXPECT_EQ(status, r.status) << r.args.size();
        EXPECT_EQ(out.str().rfind(r.startsWith, 0), 0u) << out.str();
        if (!r.status) {
            EXPECT_TRUE(out.str().empty());
        }
    }
}

} // namespace
