#include "dictionary/directory_watch.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace {
constexpr uint32_t kFileEvents =
    IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE | IN_DELETE | IN_ATTRIB;
constexpr uint32_t kFolderEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;
} // namespace

DirectoryWatch::DirectoryWatch(std::string dir, Changed changed)
    : dir_(std::move(dir)), changed_(std::move(changed)) {}

DirectoryWatch::~DirectoryWatch() {
    if (thread_.joinable()) {
        uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(stopFd_, &one, sizeof one);
        thread_.join();
    }
    if (inotifyFd_ >= 0)
        ::close(inotifyFd_);
    if (stopFd_ >= 0)
        ::close(stopFd_);
}

bool DirectoryWatch::ensureWatching() {
    if (watchId_.load(std::memory_order_acquire) >= 0)
        return true;
    if (inotifyFd_ < 0) {
        inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        stopFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        if (inotifyFd_ < 0 || stopFd_ < 0)
            return false;
    }
    int wd =
        ::inotify_add_watch(inotifyFd_, dir_.c_str(), kFileEvents | kFolderEvents | IN_ONLYDIR);
    if (wd < 0)
        return false;
    watchId_.store(wd, std::memory_order_release);
    if (!thread_.joinable())
        thread_ = std::thread([this] { run(); });
    return true;
}

void DirectoryWatch::run() {
    alignas(inotify_event) char buf[16 * 1024];
    for (;;) {
        pollfd fds[2] = {{inotifyFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        ssize_t len = ::read(inotifyFd_, buf, sizeof buf);
        if (len <= 0)
            continue;
        for (char* p = buf; p < buf + len;) {
            auto* ev = reinterpret_cast<inotify_event*>(p);
            p += sizeof(inotify_event) + ev->len;
            if (ev->mask & IN_Q_OVERFLOW) {
                changed_({});
            } else if (ev->mask & kFolderEvents) {
                // The folder itself went away or moved: the watch no longer
                // describes the path, so drop it and let the next read re-add it.
                int wd = watchId_.load(std::memory_order_acquire);
                if (ev->wd != wd)
                    continue; // the last word of a watch already dropped
                watchId_.compare_exchange_strong(wd, -1, std::memory_order_acq_rel);
                if (!(ev->mask & IN_IGNORED))
                    ::inotify_rm_watch(inotifyFd_, wd);
                changed_({});
            } else if (ev->len > 0) {
                changed_(std::string_view(ev->name));
            }
        }
    }
}
