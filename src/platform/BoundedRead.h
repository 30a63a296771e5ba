#pragma once
// Whole-file reads for files whose name comes from a medium or a script: the name may as well
// be a folder, a device or a pipe, or a file larger than any the program has use for.
#include <cstddef>
#include <string>

namespace platform {

enum class FileReadResult { Read, Missing, Unreadable, TooLarge };

// Reads a regular file of at most `limit` bytes whole. A folder, a device or a pipe is
// Unreadable without being read (a pipe without a writer does not block), and so is a file
// without its owner's read permission, for the administrator too, as the permission bits
// stand for the file's attributes. A read error is Unreadable; the bytes are then empty.
FileReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes);

// Why a file was not read, for a message ("not found"); empty for Read.
inline std::string describeUnreadFile(FileReadResult result, std::size_t limit) {
    switch (result) {
    case FileReadResult::Read:
        return {};
    case FileReadResult::Missing:
        return "not found";
    case FileReadResult::TooLarge:
        return limit >= (std::size_t{1} << 30) ? "larger than " + std::to_string(limit >> 30) + " GiB"
                                              : "larger than " + std::to_string(limit >> 20) + " MiB";
    case FileReadResult::Unreadable:
        break;
    }
    return "not a regular file, or it cannot be read";
}

} // namespace platform
