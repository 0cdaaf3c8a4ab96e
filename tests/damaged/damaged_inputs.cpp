#include "tests/damaged/damaged_inputs.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <random>

namespace damaged {

const std::vector<Input>& inputs() {
    static const std::vector<Input> all = {
        {"empty", Kind::Empty},
        {"truncated", Kind::Truncated},
        {"random bytes", Kind::RandomBytes},
        {"huge", Kind::Huge},
        {"a folder", Kind::Folder},
        {"a FIFO", Kind::Fifo},
        {"no permission", Kind::NoPermission},
    };
    return all;
}

namespace {

void removeAny(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        QDir(path).removeRecursively();
    else
        ::unlink(QFile::encodeName(path).constData());
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

bool make(Kind kind, const QString& path, const QByteArray& good) {
    removeAny(path);
    switch (kind) {
    case Kind::Empty:
        return writeBytes(path, QByteArray());
    case Kind::Truncated:
        return writeBytes(path, good.left(std::max<qsizetype>(good.size() - 1, 0)));
    case Kind::RandomBytes: {
        std::mt19937 rng(kSeed);
        QByteArray bytes(std::max<qsizetype>(good.size(), 100), '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng() & 0xFF);
        return writeBytes(path, bytes);
    }
    case Kind::Huge: {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(good) == good.size() && f.resize(kHugeBytes);
    }
    case Kind::Folder:
        return QDir().mkpath(path);
    case Kind::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
    case Kind::NoPermission:
        if (::geteuid() == 0)
            return false; // root reads every file
        return writeBytes(path, good) && QFile::setPermissions(path, QFileDevice::Permissions());
    }
    return false;
}

Snapshot snapshot(const QString& folder) {
    Snapshot out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(folder).relativeFilePath(info.filePath());
        struct stat st {};
        ::lstat(QFile::encodeName(info.filePath()).constData(), &st);
        QByteArray state = QByteArray::number(st.st_mode, 8) + ' ' + QByteArray::number(st.st_size);
        if (S_ISREG(st.st_mode) && st.st_size < 1024 * 1024 && (st.st_mode & 0400)) {
            QFile f(info.filePath());
            if (f.open(QIODevice::ReadOnly))
                state +=
                    ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
        }
        out[name] = state;
    }
    return out;
}

void checkReader(const QString& folder, const QString& relative, const QByteArray& good,
                 const Reader& read, const std::vector<Expected>& expected,
                 const std::function<void(Kind)>& after,
                 const std::function<std::set<QString>(Kind)>& mayChange) {
    const QString path = QDir(folder).filePath(relative);
    const QString fullPath = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const Expected& e : expected) {
        const auto input = std::find_if(inputs().begin(), inputs().end(),
                                        [&](const Input& i) { return i.kind == e.kind; });
        SCOPED_TRACE(std::string("damaged input: ") + input->name + ", random seed " +
                     std::to_string(kSeed));
        removeAny(path);
        ASSERT_TRUE(writeBytes(path, good));
        if (!make(e.kind, path, good))
            continue;
        const Snapshot before = snapshot(folder);

        QElapsedTimer clock;
        clock.start();
        const QString message = read();
        EXPECT_LT(clock.elapsed(), 1000) << "the reader must answer within a second";
        if (e.says == nullptr) {
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
        } else if (*e.says != '\0' || !message.isEmpty()) {
            EXPECT_TRUE(message.contains(QString::fromUtf8(e.says))) << message.toStdString();
            EXPECT_TRUE(message.contains(fullPath))
                << "the message names the file by its full path: " << message.toStdString();
        }
        if (after)
            after(e.kind);

        const Snapshot now = snapshot(folder);
        std::set<QString> allowed{relative};
        if (mayChange) {
            const std::set<QString> more = mayChange(e.kind);
            allowed.insert(more.begin(), more.end());
        }
        std::set<QString> names;
        for (const auto& [name, state] : before)
            names.insert(name);
        for (const auto& [name, state] : now)
            names.insert(name);
        for (const QString& name : names) {
            if (allowed.count(name) || name.startsWith(relative + u'/'))
                continue;
            const auto was = before.find(name);
            const auto is = now.find(name);
            EXPECT_TRUE(was != before.end() && is != now.end() && was->second == is->second)
                << "changed: " << name.toStdString();
        }
        removeAny(path);
    }
    // Leave the good file in place for the next reader.
    removeAny(path);
    writeBytes(path, good);
}

} // namespace damaged
