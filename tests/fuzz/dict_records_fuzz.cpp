// Feeds arbitrary bytes to the dictionary record readers as the contents of a
// group file and of the high-frequency list. The first byte picks the group
// and the probe; the rest is the file.
#include "dictionary/dict_format.h"
#include "dictionary/dict_tables.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int group = 1 + data[0] % 5;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const dict::GroupFile file(group, bytes);
    std::vector<std::string> out;
    const std::string code = std::to_string(data[0] * 37 % 1000);
    file.FindByCode(code, out);
    file.FindByCode(bytes.substr(0, 6), out);
    file.HasText(bytes.substr(0, 2 * group));
    file.HasText(bytes.substr(bytes.size() / 2, 30));
    file.firstRecordOfChar(bytes.substr(0, 2));
    for (int64_t i = 0; i < file.recordCount() && i < 64; ++i) {
        file.CompareCodeAt(code, i);
        file.CompareTextAt(bytes.substr(0, 8), i, dict::textWidth(group));
        dict::decodeCodeOfChar(file.record(i));
    }
    // The first-use check of a file: any bytes give an answer, never a read
    // outside them; a file it accepts is in order for the searches.
    const std::string why = dict::damageOf(group, data[0] & 0x80, bytes);
    if (why.empty() && bytes.size() % static_cast<size_t>(dict::recordSize(group)) != 0)
        __builtin_trap();
    dict::frequentDamageOf(bytes);
    const dict::FrequentList list(bytes);
    list.contains(bytes.substr(0, 4));
    return 0;
}
