#include "tests/dictionary/dict_test_files.h"

#include "dictionary/dict_format.h"
#include "platform/gbk_codec.h"
#include "tests/support/test_chars.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dicttest {

FortyCharacterTest fortyCharacterTest() {
    std::string article;
    std::vector<Rec> recs;
    for (int i = 0; i < 40; ++i) {
        article += gbkTestChar(i);
        recs.push_back({"9" + std::to_string(i), gbkTestChar(i)});
    }
    recs.push_back({"8", gbkTestChar(5)});
    recs.push_back({"8", gbkTestChar(6)});
    std::stable_sort(recs.begin(), recs.end(), [](const auto& a, const auto& b) {
        return dict::compare(a.code, b.code) < 0;
    });
    return {article.substr(0, 60) + "\r\r" + article.substr(60) + std::string(39, ' ') + "\r\r \r",
            groupBytes(1, recs)};
}

std::string g(const char* utf8) {
    auto bytes = gbk::fromUnicode(QString::fromUtf8(utf8));
    if (!bytes)
        throw std::invalid_argument(std::string("no GBK form: ") + utf8);
    return *bytes;
}

// The 3 code bytes written out as hexadecimal text and read back: the digits,
// then "F" to six places ("534" is 53 4F FF). Independent of the program's
// own packing, so a fault there cannot hide in the test files.
std::string packedByHand(const std::string& digits) {
    const QByteArray hex = QByteArray::fromStdString(digits).leftJustified(6, 'F', true);
    return QByteArray::fromHex(hex).toStdString();
}

std::string groupBytes(int group, const std::vector<Rec>& recs) {
    std::string out;
    const size_t width = static_cast<size_t>(dict::textWidth(group));
    for (const Rec& r : recs) {
        out += packedByHand(r.code);
        std::string text = r.text.substr(0, width);
        text.resize(width, '\xFF');
        out += text;
    }
    return out;
}

std::string frequentBytes(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words)
        out += "123456" + w + "\r\n";
    return out;
}

DictDir::DictDir() {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

std::string DictDir::path() const {
    return dir_.path().toStdString();
}

void DictDir::write(const std::string& name, const std::string& bytes) const {
    QFile f(QString::fromStdString(path() + "/" + name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + name);
}

void DictDir::replace(const std::string& name, const std::string& bytes) const {
    write(name + ".new", bytes);
    if (std::rename((path() + "/" + name + ".new").c_str(), (path() + "/" + name).c_str()) != 0)
        throw std::runtime_error("cannot rename over " + name);
}

void DictDir::remove(const std::string& name) const {
    std::remove((path() + "/" + name).c_str());
}

} // namespace dicttest
