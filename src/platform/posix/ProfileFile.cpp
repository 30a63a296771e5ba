#include "platform/ProfileFile.h"

#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/NativePath.h"

#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <vector>

namespace platform {
namespace {

constexpr std::size_t kValueLimit = 259;
const std::string kUtf8Mark = "\xEF\xBB\xBF";

// The file's bytes with what is needed to read and write them in the file's own encoding.
struct ProfileBytes {
    std::string raw;
    std::size_t bodyStart = 0; // after a byte order mark
    bool utf8 = true;

    std::string decode(const std::string& bytes) const {
        return utf8 ? bytes : codePageToUtf8(bytes, ansiCodePage());
    }
    std::string encode(const std::string& text) const {
        return utf8 ? text : utf8ToCodePage(text, ansiCodePage());
    }
};

struct ProfileLine {
    std::size_t start = 0; // byte offsets in raw; end excludes the line break
    std::size_t end = 0;
    enum Kind { Other, Section, Key } kind = Other;
    std::string name; // section or key name, trimmed, in UTF-8
    std::string value;
};

bool loadBytes(const std::string& path, ProfileBytes& bytes) {
    const std::string native = toNativePath(path);
    std::ifstream file(native, std::ios::binary);
    if (native.empty() || !file)
        return false;
    bytes.raw.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    bytes.bodyStart = bytes.raw.compare(0, 3, kUtf8Mark) == 0 ? 3 : 0;
    bytes.utf8 = bytes.bodyStart == 3 || isValidUtf8(bytes.raw);
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

ProfileLine classify(const std::string& text) {
    ProfileLine line;
    const std::string trimmed = trim(text);
    if (!trimmed.empty() && trimmed[0] == '[') {
        const auto close = trimmed.find_last_of(']');
        // Without its ']' the line names no section, as in the system's reader.
        line.kind = close == std::string::npos ? ProfileLine::Other : ProfileLine::Section;
        line.name = trim(trimmed.substr(1, close == std::string::npos ? 0 : close - 1));
        return line;
    }
    const auto equals = trimmed.find('=');
    line.kind = trimmed.empty() ? ProfileLine::Other : ProfileLine::Key;
    line.name = trim(trimmed.substr(0, equals));
    if (equals != std::string::npos)
        line.value = trim(trimmed.substr(equals + 1));
    return line;
}

std::vector<ProfileLine> splitLines(const ProfileBytes& bytes) {
    std::vector<ProfileLine> lines;
    std::size_t start = bytes.bodyStart;
    while (start < bytes.raw.size()) {
        std::size_t end = bytes.raw.find('\n', start);
        const std::size_t next = end == std::string::npos ? bytes.raw.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.raw.size();
        std::size_t contentEnd = end;
        if (contentEnd > start && bytes.raw[contentEnd - 1] == '\r')
            --contentEnd;
        ProfileLine line = classify(bytes.decode(bytes.raw.substr(start, contentEnd - start)));
        line.start = start;
        line.end = contentEnd;
        lines.push_back(line);
        start = next;
    }
    return lines;
}

// Index of the first header of the section, or -1. Later sections of the same name are not
// looked at, as the system's reader does.
long findSection(const std::vector<ProfileLine>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == ProfileLine::Section &&
            posix::equalsIgnoringCase(lines[i].name, section))
            return static_cast<long>(i);
    return -1;
}

long findKey(const std::vector<ProfileLine>& lines, long sectionLine, const std::string& key) {
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines.size(); ++i) {
        if (lines[i].kind == ProfileLine::Section)
            break;
        if (lines[i].kind == ProfileLine::Key && posix::equalsIgnoringCase(lines[i].name, key))
            return static_cast<long>(i);
    }
    return -1;
}

std::string withoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

// The first characters of a UTF-8 text (whole characters).
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < count; ++characters) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return text.substr(0, at);
}

std::string lineBreakOf(const std::string& raw) {
    return raw.empty() || raw.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string editedContents(const ProfileBytes& bytes, const std::string& section,
                           const std::string& key, const std::string& value) {
    const std::vector<ProfileLine> lines = splitLines(bytes);
    const std::string lineBreak = lineBreakOf(bytes.raw);
    const long sectionLine = findSection(lines, section);
    if (sectionLine < 0) {
        std::string contents = bytes.raw;
        if (!contents.empty() && contents.back() != '\n')
            contents += lineBreak;
        return contents + bytes.encode("[" + section + "]") + lineBreak +
               bytes.encode(key + "=" + value) + lineBreak;
    }
    const long keyLine = findKey(lines, sectionLine, key);
    if (keyLine >= 0) {
        const ProfileLine& line = lines[static_cast<std::size_t>(keyLine)];
        return bytes.raw.substr(0, line.start) + bytes.encode(line.name + "=" + value) +
               bytes.raw.substr(line.end);
    }
    // A new key goes after the last non-blank line of its section.
    std::size_t last = static_cast<std::size_t>(sectionLine);
    for (std::size_t i = last + 1; i < lines.size() && lines[i].kind != ProfileLine::Section; ++i)
        if (lines[i].kind != ProfileLine::Other)
            last = i;
    const std::size_t at = lines[last].end;
    const bool atEnd = bytes.raw.find('\n', at) == std::string::npos;
    const std::size_t insertAt = atEnd ? bytes.raw.size() : bytes.raw.find('\n', at) + 1;
    std::string inserted = bytes.encode(key + "=" + value) + lineBreak;
    if (atEnd && !bytes.raw.empty() && bytes.raw.back() != '\n')
        inserted = lineBreak + inserted;
    return bytes.raw.substr(0, insertAt) + inserted + bytes.raw.substr(insertAt);
}

} // namespace

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    ProfileBytes bytes;
    if (!loadBytes(path, bytes))
        return {};
    const std::vector<ProfileLine> lines = splitLines(bytes);
    const long sectionLine = findSection(lines, section);
    if (sectionLine < 0)
        return {};
    const long keyLine = findKey(lines, sectionLine, key);
    if (keyLine < 0)
        return {};
    return firstCharacters(withoutQuotes(lines[static_cast<std::size_t>(keyLine)].value),
                           kValueLimit);
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::string native = toNativePath(path);
    if (native.empty())
        return false;
    struct stat info;
    if (stat(native.c_str(), &info) == 0 && !(info.st_mode & S_IWUSR))
        return false; // read-only, as for everyone on the system this program was made for
    ProfileBytes bytes;
    const bool exists = loadBytes(path, bytes);
    const mode_t mode = exists ? (info.st_mode & 07777) : 0644;
    return posix::writeFileAtomically(native, editedContents(bytes, section, key, value), mode);
}

} // namespace platform
