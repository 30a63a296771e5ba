#pragma once
// The stamp of a file as the POSIX backend's caches compare it.
#include "platform/FileStamp.h"

#include <sys/stat.h>

namespace platform::posix {

inline Nanoseconds nanosecondsOf(const timespec& time) {
    return static_cast<Nanoseconds>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

inline FileStamp fileStampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size), nanosecondsOf(info.st_mtim),
            nanosecondsOf(info.st_ctim)};
}

} // namespace platform::posix
