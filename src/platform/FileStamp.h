#pragma once
// What tells one state of a file from another, for every cache of parsed files (scripts, registry
// hives): any write changes the change time, and a file replaced by a rename is another file of its
// volume. The modification time alone is not enough: it can be put back after a same-size rewrite.
#include <cstdint>

namespace platform {

using Nanoseconds = long long; // since 1970

struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    Nanoseconds modified = 0;
    Nanoseconds changed = 0;
    bool operator==(const FileStamp&) const = default;
};

} // namespace platform
