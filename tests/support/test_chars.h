#pragma once

#include <string>

// The test characters every test text and test dictionary is made of: the
// GB2312 characters of row 16 (啊 B0A1, 阿 B0A2, 埃 B0A3 …), which every
// reader, the dictionary and the GBK codec accept. The i-th of them, from
// 0; the row holds 94, so numbers from 94 on come round again.
inline std::string gbkTestChar(int i) {
    return std::string{'\xB0', static_cast<char>(0xA1 + i % 94)};
}
