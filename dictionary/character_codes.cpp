#include "dictionary/character_codes.h"

#include "dictionary/dictionary_instance.h"
#include "dictionary/two.h"
#include "platform/gbk_codec.h"

#include <exception>

namespace dictionary {

std::optional<QStringList> codesOfCharacter(const QString& character) {
    if (!two)
        return std::nullopt;
    QStringList codes;
    if (character.trimmed().isEmpty())
        return codes;
    try {
        for (const std::string& code : two->CodesOfChar(gbk::fromUnicodeLossy(character)))
            codes << QString::fromStdString(code);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return codes;
}

QString fullCodeAmong(const QStringList& codes) {
    QString full;
    for (const QString& code : codes)
        if (code.size() > full.size())
            full = code;
    return full;
}

} // namespace dictionary
