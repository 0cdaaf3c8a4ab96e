#include "tools/tarvo_art/gif_writer.h"

#include <unordered_map>

namespace {

// Packs codes least significant bit first into data sub-blocks of at most
// 255 bytes.
class BlockWriter {
public:
    explicit BlockWriter(QByteArray& out) : out_(out) {}
    void write(uint32_t code, int bits) {
        acc_ |= code << filled_;
        filled_ += bits;
        while (filled_ >= 8) {
            byte(static_cast<char>(acc_ & 0xFF));
            acc_ >>= 8;
            filled_ -= 8;
        }
    }
    void finish() {
        if (filled_ > 0)
            byte(static_cast<char>(acc_ & 0xFF));
        flushBlock();
        out_.append('\0'); // block terminator
    }

private:
    void byte(char b) {
        block_.append(b);
        if (block_.size() == 255)
            flushBlock();
    }
    void flushBlock() {
        if (block_.isEmpty())
            return;
        out_.append(static_cast<char>(block_.size()));
        out_.append(block_);
        block_.clear();
    }
    QByteArray& out_;
    QByteArray block_;
    uint32_t acc_ = 0;
    int filled_ = 0;
};

void writeLzw(QByteArray& out, const QImage& indexed) {
    constexpr int kMinCodeSize = 8;
    constexpr uint32_t kClear = 1u << kMinCodeSize;
    constexpr uint32_t kEnd = kClear + 1;
    out.append(static_cast<char>(kMinCodeSize));
    BlockWriter bw(out);
    std::unordered_map<uint32_t, uint32_t> dict;
    int codeSize = kMinCodeSize + 1;
    uint32_t maxCode = kEnd;
    bw.write(kClear, codeSize);
    bool started = false;
    uint32_t prefix = 0;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const uint32_t c = row[x];
            if (!started) {
                prefix = c;
                started = true;
                continue;
            }
            const uint32_t key = (prefix << 8) | c;
            auto it = dict.find(key);
            if (it != dict.end()) {
                prefix = it->second;
                continue;
            }
            bw.write(prefix, codeSize);
            dict.emplace(key, ++maxCode);
            if (maxCode >= (1u << codeSize))
                ++codeSize;
            if (maxCode == 4095) {
                bw.write(kClear, codeSize);
                dict.clear();
                codeSize = kMinCodeSize + 1;
                maxCode = kEnd;
            }
            prefix = c;
        }
    }
    if (started)
        bw.write(prefix, codeSize);
    bw.write(kEnd, codeSize);
    bw.finish();
}

void put16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

} // namespace

QList<QRgb> gifPalette() {
    QList<QRgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
        const int v = 6 + i * 6;
        p.append(qRgb(v, v, v));
    }
    return p;
}

QByteArray encodeAnimatedGif(const QList<QImage>& frames, int delay) {
    QByteArray out("GIF89a");
    const QList<QRgb> palette = gifPalette();
    const int w = frames.isEmpty() ? 1 : frames.first().width();
    const int h = frames.isEmpty() ? 1 : frames.first().height();
    put16(out, w);
    put16(out, h);
    out.append(static_cast<char>(0xF7)); // global colour table of 256 entries
    out.append('\0');                    // background colour index
    out.append('\0');                    // pixel aspect ratio
    for (QRgb c : palette) {
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
    // Loop forever.
    out.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
    put16(out, 0);
    out.append('\0');
    for (const QImage& frame : frames) {
        const QImage indexed = frame.convertToFormat(QImage::Format_RGB32)
                                   .scaled(w, h)
                                   .convertToFormat(QImage::Format_Indexed8, palette);
        out.append("\x21\xF9\x04\x04", 4); // graphic control: keep the frame
        put16(out, delay);
        out.append('\0'); // no transparent colour
        out.append('\0');
        out.append(',');
        put16(out, 0);
        put16(out, 0);
        put16(out, w);
        put16(out, h);
        out.append('\0'); // no local colour table, not interlaced
        writeLzw(out, indexed);
    }
    out.append(';');
    return out;
}
