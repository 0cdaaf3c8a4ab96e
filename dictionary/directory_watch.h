#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>

// Watches one folder for files being written, replaced, created or removed
// (Linux inotify) and reports each changed name on its own thread. Readers
// keep files in memory and learn from the report that a copy is out of date,
// without touching the disk on every read.
class DirectoryWatch {
public:
    // `changed(name)` runs on the watch thread; an empty name means "anything
    // in the folder may have changed" (the folder was moved or removed, or
    // events were lost).
    using Changed = std::function<void(std::string_view name)>;

    DirectoryWatch(std::string dir, Changed changed);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;

    // Starts watching if not already; returns whether the folder is watched.
    // Call before reading a file, so that a change after the read is seen.
    bool ensureWatching();

private:
    void run();

    std::string dir_;
    Changed changed_;
    int inotifyFd_ = -1;
    int stopFd_ = -1;
    std::atomic<int> watchId_{-1};
    std::thread thread_;
};
