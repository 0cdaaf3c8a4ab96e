#include "dictionary/read_whole_file.h"

#include "dictionary/dictionary_error.h"
#include "platform/file_error_reason.h"
#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

FileIdentity identityFrom(const struct stat& st) {
    return {static_cast<long long>(st.st_ino), static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

// The path as messages name it: absolute, so the learner can find the file.
std::string shownPath(const std::string& path) {
    std::error_code ec;
    const auto full = std::filesystem::absolute(path, ec);
    return ec ? path : full.lexically_normal().string();
}

[[noreturn]] void fail(const std::string& path, int err) {
    const std::string shown = shownPath(path);
    std::string msg;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        msg = "找不到词库文件 " + shown;
        break;
    case EACCES:
    case EPERM:
        msg = "没有权限读取词库文件 " + shown;
        break;
    case EISDIR:
        msg = "词库文件 " + shown + " 是一个文件夹，不是文件";
        break;
    default:
        msg = "无法读取词库文件 " + shown + "（" + errnoReason(err).toStdString() + "）";
    }
    throw DictionaryError(msg, path);
}

// Closes a descriptor when it goes out of scope.
struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
};

} // namespace

std::string readWholeFile(const std::string& path, FileIdentity* identity, long long maxBytes) {
    // Opened without waiting: a FIFO in place of a dictionary file must not
    // hang the program; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail(path, errno);
    const Closer closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        fail(path, errno);
    if (S_ISDIR(st.st_mode))
        fail(path, EISDIR);
    if (identity)
        *identity = identityFrom(st);
    if (!S_ISREG(st.st_mode))
        throw DictionaryError("词库文件 " + shownPath(path) +
                                  " 不是普通文件（可能是管道或设备），无法读取",
                              path, DictionaryError::Kind::Damaged);
    if (st.st_size > maxBytes)
        throw DictionaryError("词库文件 " + shownPath(path) + " 太大（" +
                                  regularfile::sizeText(st.st_size).toStdString() + "，最多 " +
                                  regularfile::sizeText(maxBytes).toStdString() +
                                  "），不是本程序的词库，没有读取",
                              path, DictionaryError::Kind::Damaged);
    std::string bytes;
    bytes.resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got >= static_cast<size_t>(maxBytes))
                break; // the file grew past the limit since fstat: keep what was there
            bytes.resize(std::min(got + 64 * 1024, static_cast<size_t>(maxBytes)));
        }
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(path, errno);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

FileIdentity identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return identityFrom(st);
}
