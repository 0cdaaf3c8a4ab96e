#include "platform/gbk_codec.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>
#include <stdexcept>

namespace gbk {
namespace {

constexpr char16_t kInvalid = 0xFFFD;

// Both directions of the double-byte part of GBK. Single bytes below 0x80
// are ASCII; every other single byte is invalid.
struct Tables {
    // Indexed by (lead << 8) | trail; 0 means "not a character".
    std::array<char16_t, 65536> toUcs{};
    // Indexed by the UTF-16 code unit; 0 means "no GBK form".
    std::array<uint16_t, 65536> fromUcs{};
};

std::unique_ptr<Tables> buildTables() {
    auto t = std::make_unique<Tables>();
    iconv_t cd = iconv_open("UCS-2LE", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("系统缺少 GBK 字符集转换（iconv）");
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[4] = {};
            char* inp = in;
            char* outp = reinterpret_cast<char*>(out);
            size_t inLeft = 2;
            size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
            if (r == static_cast<size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2)
                continue;
            char16_t u = static_cast<char16_t>(out[0] | (out[1] << 8));
            if (u < 0x80 || u == kInvalid)
                continue;
            uint16_t code = static_cast<uint16_t>((lead << 8) | trail);
            t->toUcs[code] = u;
            if (t->fromUcs[u] == 0)
                t->fromUcs[u] = code;
        }
    }
    iconv_close(cd);
    return t;
}

const Tables& tables() {
    static const std::unique_ptr<Tables> t = buildTables();
    return *t;
}

} // namespace

bool isDoubleByteChar(unsigned char lead, unsigned char trail) {
    return tables().toUcs[(lead << 8) | trail] != 0;
}

uint16_t doubleByteOf(char32_t u) {
    return u < 0x10000 ? tables().fromUcs[u] : 0;
}

QString toUnicode(std::string_view bytes, int* invalidCount) {
    const Tables& t = tables();
    QString out;
    out.resize(static_cast<qsizetype>(bytes.size()));
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    qsizetype n = 0;
    int invalid = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    for (size_t i = 0; i < size;) {
        unsigned char b = p[i];
        if (b < 0x80) {
            dst[n++] = b;
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < size) {
            char16_t u = t.toUcs[(b << 8) | p[i + 1]];
            if (u != 0) {
                dst[n++] = u;
                i += 2;
                continue;
            }
        }
        // Not a character: replace this one byte and read on from the next,
        // so an ASCII byte after a broken lead byte is kept.
        dst[n++] = kInvalid;
        ++invalid;
        ++i;
    }
    out.truncate(n);
    if (invalidCount)
        *invalidCount = invalid;
    return out;
}

namespace {

// Encodes; calls onMissing() for a character without a GBK form and stops if
// it returns false.
template <typename OnMissing> bool encode(QStringView text, std::string& out, OnMissing onMissing) {
    const Tables& t = tables();
    out.reserve(static_cast<size_t>(text.size()) * 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t u = text[i].unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        uint16_t code = QChar::isSurrogate(u) ? 0 : t.fromUcs[u];
        if (code == 0) {
            if (QChar::isHighSurrogate(u) && i + 1 < n && text[i + 1].isLowSurrogate())
                ++i; // one character, one replacement
            if (!onMissing(out))
                return false;
            continue;
        }
        out.push_back(static_cast<char>(code >> 8));
        out.push_back(static_cast<char>(code & 0xFF));
    }
    return true;
}

} // namespace

std::optional<std::string> fromUnicode(QStringView text) {
    std::string out;
    if (!encode(text, out, [](std::string&) { return false; }))
        return std::nullopt;
    return out;
}

std::string fromUnicodeLossy(QStringView text, char replacement) {
    std::string out;
    encode(text, out, [replacement](std::string& o) {
        o.push_back(replacement);
        return true;
    });
    return out;
}

} // namespace gbk
