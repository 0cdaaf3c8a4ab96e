// Feeds arbitrary bytes to the conversion of texts into test files: the
// encoding detection, the conversion itself and the test-file name of a
// source path; the test file made must read back with every character kept.
#include "articletest/article_conversion.h"
#include "articletest/article_text.h"
#include "platform/user_error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view source(reinterpret_cast<const char*>(data), size);
    conversion::detectEncoding(source);
    const conversion::Result r = conversion::convert(source);
    if (r.characters > 0) {
        const TestText text = TestText::fromBytes(r.bytes);
        if (text.articleCharacters() != r.characters)
            __builtin_trap(); // the conversion and the reader disagree
    }
    const std::string name(source.substr(0, 40));
    const std::string target = conversion::targetPath("/tmp/" + name);
    if (target == "/tmp/" + name && name.size() >= 3 && name.substr(name.size() - 3) != "tvm")
        __builtin_trap(); // a test file must never replace its source
    return 0;
}
