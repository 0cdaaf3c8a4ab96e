// Feeds arbitrary bytes to the test-file reader as the contents of a ".tvm"
// file, then walks the text the way typing does.
#include "articletest/article_text.h"
#include "platform/user_error.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        TestText text =
            TestText::fromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
        for (int line = 0; line < text.lineCount() && line < 8; ++line) {
            int l = 0, c = 0;
            text.locate(text.lineStart(line), l, c);
            text.bytesAt(text.lineStart(line), 4);
            if (line % 2 == 1) {
                text.appendToLine(line, "\xB0\xA1");
                text.takeLastTwo(line);
            }
        }
        text.bytesAt(text.size() - 1, 4);
    } catch (const UserError&) {
        // a file without any character is refused by name: fine
    }
    return 0;
}
