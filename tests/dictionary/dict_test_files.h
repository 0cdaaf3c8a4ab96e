#pragma once

#include <QTemporaryDir>

#include <string>
#include <vector>

// Small dictionary files written by the tests.
namespace dicttest {

// GBK bytes of a UTF-8 text (fails the test if it has no GBK form).
std::string g(const char* utf8);

struct Rec {
    std::string code; // digits
    std::string text; // GBK
};

// The bytes of a group file holding `recs` in the given order.
std::string groupBytes(int group, const std::vector<Rec>& recs);

// 12-byte records of the high-frequency list.
std::string frequentBytes(const std::vector<std::string>& words);

// The small test of the window tests: a 40-character article in which
// character i is gbkTestChar(i), as the bytes of a test file, and the group-1
// dictionary file in which character i has the code "9" + i and characters 5
// and 6 also share the code "8".
struct FortyCharacterTest {
    std::string testFile;
    std::string dictionary;
};
FortyCharacterTest fortyCharacterTest();

// A temporary dictionary folder.
class DictDir {
public:
    DictDir();
    std::string path() const;
    void write(const std::string& name, const std::string& bytes) const;
    // Writes a new file and renames it over `name`, as an editor or installer would.
    void replace(const std::string& name, const std::string& bytes) const;
    void remove(const std::string& name) const;

private:
    QTemporaryDir dir_;
};

} // namespace dicttest
