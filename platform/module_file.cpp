#include "platform/module_file.h"

#include "platform/file_error_reason.h"
#include "platform/regular_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

QString moduleFile(const QString& name) {
    const QString here = QCoreApplication::applicationDirPath();
    const QString beside = here + u'/' + name;
    if (QFileInfo::exists(beside))
        return beside;
    return QFileInfo(here + QStringLiteral("/../lib/tarvo/modules/") + name).absoluteFilePath();
}

namespace {

// Far above what a module of the program weighs (a dozen MB with its
// debugging information): a larger file is no module of ours.
constexpr qint64 kMaxModuleBytes = 128LL * 1024 * 1024;

// Reads `size` bytes at `offset`; false when the file holds fewer.
bool readAt(int fd, void* into, size_t size, off_t offset) {
    auto* at = static_cast<char*>(into);
    while (size > 0) {
        const ssize_t n = ::pread(fd, at, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

QString elfProblem(int fd, qint64 fileSize) {
    const QString notModule = QStringLiteral("不是这台电脑能载入的模块");
    Elf64_Ehdr header{};
    if (!readAt(fd, &header, sizeof header, 0) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_type != ET_DYN ||
        header.e_phentsize != sizeof(Elf64_Phdr))
        return notModule;
    const auto size = static_cast<quint64>(fileSize);
    auto within = [size](quint64 offset, quint64 length) {
        return offset <= size && length <= size - offset;
    };
    const QString cut = QStringLiteral("文件不完整（只有 %1），可能没有复制完")
                            .arg(regularfile::sizeText(fileSize));
    if (!within(header.e_phoff, quint64{header.e_phnum} * sizeof(Elf64_Phdr)) ||
        !within(header.e_shoff, quint64{header.e_shnum} * header.e_shentsize))
        return cut;
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    if (!segments.empty() && !readAt(fd, segments.data(), segments.size() * sizeof(Elf64_Phdr),
                                     static_cast<off_t>(header.e_phoff)))
        return cut;
    for (const Elf64_Phdr& s : segments)
        if (s.p_type == PT_LOAD && !within(s.p_offset, s.p_filesz))
            return cut;
    return {};
}

} // namespace

QString moduleProblem(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    // Opened without waiting, so that a FIFO in the module's place answers at once.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? QStringLiteral("没有这个文件") : errnoReason(errno);
    struct stat st {};
    QString problem;
    if (::fstat(fd, &st) != 0)
        problem = errnoReason(errno);
    else if (!S_ISREG(st.st_mode))
        problem = regularfile::notRegularReason(st.st_mode);
    else if (st.st_size > kMaxModuleBytes)
        problem = regularfile::tooLargeReason(st.st_size, kMaxModuleBytes);
    else
        problem = elfProblem(fd, st.st_size);
    ::close(fd);
    return problem;
}

void* loadModuleEntry(const QString& path, const char* entry, QString& problem) {
    problem = moduleProblem(path);
    if (!problem.isEmpty())
        return nullptr;
    QLibrary module(path);
    if (!module.load()) {
        problem = QStringLiteral("载入失败：%1").arg(module.errorString());
        return nullptr;
    }
    void* found = reinterpret_cast<void*>(module.resolve(entry));
    if (!found)
        problem = QStringLiteral("模块里没有入口 %1，可能是别的版本的模块")
                      .arg(QString::fromLatin1(entry));
    return found;
}
