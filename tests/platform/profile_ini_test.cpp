// The profile reader: one value of one section, as the program reads
// "Server.ini".
#include "platform/profile_ini.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ProfileIni, ReadsOneValueAsTheProfileReaderDoes) {
    struct Row {
        const char* name;
        std::string ini;
        std::optional<QString> expected;
    };
    const Row rows[] = {
        {"plain", "[ServerSetup]\nAddress=http://a/b\n", QStringLiteral("http://a/b")},
        {"case and blanks", "[ serversetup ]\r\n  ADDRESS  =  http://a/b  \r\n",
         QStringLiteral("http://a/b")},
        {"quoted", "[ServerSetup]\nAddress=\"http://a/b c\"\n", QStringLiteral("http://a/b c")},
        {"one quote stays", "[ServerSetup]\nAddress=\"http://a/\n", QStringLiteral("\"http://a/")},
        {"empty", "[ServerSetup]\nAddress=\n", QString()},
        {"key in another section", "[Other]\nAddress=x\n[ServerSetup]\nPort=1\n", std::nullopt},
        // The section and its key further down: after another section, after
        // other keys, and as the file's last line.
        {"section after another", "[Other]\nAddress=x\n[ServerSetup]\nAddress=http://late\n",
         QStringLiteral("http://late")},
        {"key after other keys", "[ServerSetup]\nPort=1\nName=a\nAddress=http://last",
         QStringLiteral("http://last")},
        {"the section's end", "[ServerSetup]\nPort=1\n[Other]\nAddress=x\n", std::nullopt},
        {"comment line", "[ServerSetup]\n;Address=x\n", std::nullopt},
        {"no newline at end", "[ServerSetup]\nAddress=http://z", QStringLiteral("http://z")},
        {"GBK value", "[ServerSetup]\nAddress=http://\xD6\xD0/\n", QStringLiteral("http://中/")},
        {"commas stay", "[ServerSetup]\nAddress=a,b,c\n", QStringLiteral("a,b,c")},
        {"empty file", "", std::nullopt},
    };
    for (const Row& r : rows)
        EXPECT_EQ(readProfileValue(r.ini, "ServerSetup", "Address"), r.expected) << r.name;
}

} // namespace
