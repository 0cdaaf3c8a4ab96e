#include "read_whole_file.h"

#include "dictionary_error.h"
#include "file_error_reason.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

FileIdentity identityFrom(const struct stat& st) {
    return {static_cast<long long>(st.st_ino), static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

[[noreturn]] void fail(const std::string& path, int err) {
    std::string msg;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        msg = "找不到词库文件 " + path;
        break;
    case EACCES:
    case EPERM:
        msg = "没有权限读取词库文件 " + path;
        break;
    case EISDIR:
        msg = "词库文件 " + path + " 是一个文件夹，不是文件";
        break;
    default:
        msg = "无法读取词库文件 " + path + "（" + errnoReason(err).toStdString() + "）";
    }
    throw DictionaryError(msg, path);
}

} // namespace

std::string readWholeFile(const std::string& path, FileIdentity* identity) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        fail(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        fail(path, err);
    }
    std::string bytes;
    bytes.resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size())
            bytes.resize(got + 64 * 1024); // the file grew since fstat
        ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            fail(path, err);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    bytes.resize(got);
    ::close(fd);
    if (identity)
        *identity = identityFrom(st);
    return bytes;
}

FileIdentity identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return identityFrom(st);
}
