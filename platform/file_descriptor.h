#pragma once

#include <cerrno>

#include <unistd.h>

// An open file descriptor, closed when it goes out of scope unless it was
// released or closed before (the close of a written file can then be checked).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Gives the descriptor up: the caller closes it.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now: 0, or the error of the close.
    int close() {
        const int fd = release();
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};
