#pragma once
// A profile file's bytes with what is needed to read and write them in the file's own encoding:
// UTF-8, the system's code page, or UTF-16 of either byte order with its byte order mark. The
// rule that tells them apart is the same on every system.
#include <cstddef>
#include <string>

namespace platform::profile {

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

// A file with a UTF-16 mark is UTF-16; a file with the UTF-8 mark, or whose bytes are all valid
// UTF-8, is UTF-8; any other file is text in `codePage`. A pure-ASCII file is therefore UTF-8:
// every code page the system uses gives ASCII bytes the same characters, so both readings agree
// on its text, and reading it as UTF-8 gives it the same lines and keys on every system.
ProfileEncoding profileEncodingOf(const std::string& fileBytes);
ProfileText profileTextOf(std::string fileBytes, int codePage);

} // namespace platform::profile
