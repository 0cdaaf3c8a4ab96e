// Feeds arbitrary bytes to the RTF reader.
#include "platform/rtf_reader.h"

#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QTextDocument doc;
    readRtf(std::string_view(reinterpret_cast<const char*>(data), size), doc);
    return 0;
}
