#pragma once
// A profile file's bytes with what is needed to read and write them in the file's own encoding:
// UTF-8, the system's code page, or UTF-16 of either byte order with its byte order mark.
#include <cstddef>
#include <string>

namespace platform::posix {

// Far above any script (a medium listing 100,000 files needs about 5 MiB), far below what
// would exhaust the memory of the machines the program runs on.
constexpr std::size_t kProfileSizeLimit = 64u << 20;

enum class ProfileEncoding { Utf8, CodePage, Utf16Le, Utf16Be };

struct ProfileText {
    // The bytes lines are found in: the file's own bytes, except for UTF-16, whose text is held
    // here in UTF-8 (without the byte order mark) and turned back into UTF-16 when written.
    std::string raw;
    std::size_t bodyStart = 0; // after a byte order mark
    ProfileEncoding encoding = ProfileEncoding::Utf8;
    int codePage = 0;       // for CodePage
    bool reversible = true; // false for UTF-16 that UTF-8 cannot carry back unchanged

    std::string decode(const std::string& bytes) const; // bytes of raw -> UTF-8
    std::string encode(const std::string& text) const;  // UTF-8 -> bytes for raw
    // The file's bytes for raw after an edit.
    std::string fileBytes(const std::string& editedRaw) const;
};

ProfileText profileTextOf(std::string fileBytes);

} // namespace platform::posix
