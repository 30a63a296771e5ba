#pragma once
// What tells one state of a file from another, for the registry hives' parsed copies: any write
// changes the change time, and a file replaced by a rename is another file of its volume. The
// modification time alone is not enough: it can be put back after a same-size rewrite.
#include <cstdint>
#include <sys/stat.h>

namespace platform::posix {

using Nanoseconds = long long; // since 1970

struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    Nanoseconds modified = 0;
    Nanoseconds changed = 0;
    bool operator==(const FileStamp&) const = default;
};

inline Nanoseconds nanosecondsOf(const timespec& time) {
    return static_cast<Nanoseconds>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

inline FileStamp fileStampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size), nanosecondsOf(info.st_mtim),
            nanosecondsOf(info.st_ctim)};
}

} // namespace platform::posix
