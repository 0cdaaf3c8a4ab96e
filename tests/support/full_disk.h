#pragma once

#include <sys/resource.h>

#include <csignal>

// While one lives, no file of this process may grow beyond `limit` bytes:
// writes past it fail as on a full disk ("file too large", no signal), also
// for root. The old limit comes back when it goes out of scope.
class FullDisk {
public:
    explicit FullDisk(rlim_t limit = 0) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = old_;
        small.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    struct rlimit old_ {};
    void (*oldHandler_)(int) = nullptr;
};
