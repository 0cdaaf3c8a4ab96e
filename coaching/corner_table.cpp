#include "coaching/corner_table.h"

#include "platform/regular_file.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include <map>

namespace coaching {

namespace {

// The table is about 250 KB; anything far larger is not a corner table.
constexpr qint64 kMaxTableBytes = 8 * 1024 * 1024;

bool isCode(const QString& s) {
    if (s.size() < 4 || s.size() > 5)
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// One character: a single code point, which may take two UTF-16 units.
bool isOneCharacter(const QString& s) {
    return s.size() == 1 ? !s[0].isSurrogate()
                         : s.size() == 2 && s[0].isHighSurrogate() && s[1].isLowSurrogate();
}

// A stroke number ("0", "12") or "-" for none; false when it is neither.
bool readStroke(const QString& s, int& stroke) {
    if (s == u"-") {
        stroke = -1;
        return true;
    }
    bool ok = false;
    stroke = s.toInt(&ok);
    return ok && stroke >= 0 && !s.startsWith(u'+');
}

} // namespace

bool nameFitsDigit(const QString& name, QChar digit) {
    switch (digit.unicode()) {
    case u'0':
        return name == u"撇" || name == u"左钩" || name == u"亠" || name == u"已用" ||
               name == u"空角";
    case u'1':
        return name == u"横";
    case u'2':
        return name == u"竖";
    case u'3':
        return name == u"点" || name == u"捺";
    case u'4':
        return name == u"叉";
    case u'5':
        return name == u"插";
    case u'6':
        return name == u"方";
    case u'7':
        return name == u"角";
    case u'8':
        return name == u"八";
    case u'9':
        return name == u"小";
    default:
        return false;
    }
}

CornerTable CornerTable::fromText(const QString& text, int* firstBadLine) {
    CornerTable table;
    table.fingerprint_ = QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
    const QStringList lines = text.split(u'\n');
    if (firstBadLine)
        *firstBadLine = 0;
    int number = 0;
    for (QString line : lines) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty())
            continue;
        auto bad = [&] {
            if (firstBadLine && *firstBadLine == 0)
                *firstBadLine = number;
        };
        const QStringList cols = line.split(u'\t');
        if (cols.size() != 4 || !isOneCharacter(cols[0]) || !isCode(cols[1])) {
            bad();
            continue;
        }
        const QStringList strokes = cols[2].split(u' ');
        const QStringList names = cols[3].split(u' ');
        const qsizetype digits = cols[1].size();
        if (strokes.size() != digits || names.size() != digits) {
            bad();
            continue;
        }
        CornerEntry e{cols[1], {}, {}};
        e.strokes.fill(-1);
        bool ok = true;
        for (qsizetype q = 0; q < digits && ok; ++q) {
            const auto i = static_cast<size_t>(q);
            ok = readStroke(strokes[q], e.strokes[i]) && nameFitsDigit(names[q], e.code[q]);
            e.names[i] = names[q];
        }
        if (!ok || table.entries_.contains(cols[0])) {
            bad();
            continue;
        }
        table.entries_.insert(cols[0], e);
        table.order_.append(cols[0]);
    }
    return table;
}

std::shared_ptr<const CornerTable> CornerTable::shared(const QString& path, QString* problem) {
    struct Read {
        QDateTime changed;
        std::shared_ptr<const CornerTable> table;
        QString problem;
    };
    static std::map<QString, Read> read;
    const QDateTime changed = QFileInfo(path).lastModified();
    Read& r = read[path];
    if (!r.table || r.changed != changed) {
        r.table = std::make_shared<const CornerTable>(fromFile(path, &r.problem));
        r.changed = changed;
    }
    if (problem)
        *problem = r.problem;
    return r.table;
}

CornerTable CornerTable::fromFile(const QString& path, QString* problem) {
    auto say = [&](const QString& what) {
        if (problem)
            *problem = QStringLiteral("笔形表 %1 %2").arg(regularfile::fullPath(path), what);
    };
    say({});
    if (problem)
        problem->clear();
    const regularfile::Contents c = regularfile::read(path, kMaxTableBytes);
    if (!c.ok()) {
        say(c.status == regularfile::Contents::Status::Missing
                ? QStringLiteral("没有找到，编码说明只用口诀的笔形名")
                : QStringLiteral("读不出来（%1），编码说明只用口诀的笔形名").arg(c.reason));
        return {};
    }
    int badLine = 0;
    CornerTable table = fromText(QString::fromUtf8(c.bytes), &badLine);
    if (table.isEmpty())
        say(QStringLiteral("里没有可用的行，编码说明只用口诀的笔形名"));
    else if (badLine > 0)
        say(QStringLiteral("第 %1 行坏了，这一行的字不用它说明").arg(badLine));
    return table;
}

const CornerEntry* CornerTable::find(const QString& character) const {
    const auto it = entries_.constFind(character);
    return it == entries_.constEnd() ? nullptr : &it.value();
}

} // namespace coaching
