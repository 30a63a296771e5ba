#include "platform/ProfileFile.h"

#include "platform/Paths.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/BoundedRead.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/ProfileFileCache.h"
#include "platform/posix/ProfileFileLines.h"

#include <exception>
#include <vector>

namespace platform {
namespace {

using posix::ProfileLine;
using posix::ProfileText;

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

std::string lineBreakOf(const std::string& raw) {
    return raw.empty() || raw.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string editedContents(const ProfileText& text, const std::string& section,
                           const std::string& key, const std::string& value) {
    const std::vector<ProfileLine> lines = posix::profileLines(text);
    const std::string& raw = text.raw;
    const std::string lineBreak = lineBreakOf(raw);
    const long sectionLine = findSection(lines, section);
    if (sectionLine < 0) {
        std::string contents = raw;
        if (!contents.empty() && contents.back() != '\n')
            contents += lineBreak;
        return contents + text.encode("[" + section + "]") + lineBreak +
               text.encode(key + "=" + value) + lineBreak;
    }
    const long keyLine = findKey(lines, sectionLine, key);
    if (keyLine >= 0) {
        const ProfileLine& line = lines[static_cast<std::size_t>(keyLine)];
        return raw.substr(0, line.start) + text.encode(line.name + "=" + value) +
               raw.substr(line.end);
    }
    // A new key goes after the last non-blank line of its section.
    std::size_t last = static_cast<std::size_t>(sectionLine);
    for (std::size_t i = last + 1; i < lines.size() && lines[i].kind != ProfileLine::Section; ++i)
        if (lines[i].kind != ProfileLine::Other)
            last = i;
    const std::size_t at = lines[last].end;
    const bool atEnd = raw.find('\n', at) == std::string::npos;
    const std::size_t insertAt = atEnd ? raw.size() : raw.find('\n', at) + 1;
    std::string inserted = text.encode(key + "=" + value) + lineBreak;
    if (atEnd && !raw.empty() && raw.back() != '\n')
        inserted = lineBreak + inserted;
    return raw.substr(0, insertAt) + inserted + raw.substr(insertAt);
}

bool writeProfileFile(const std::string& native, const std::string& section, const std::string& key,
                      const std::string& value) {
    std::string bytes;
    struct stat info;
    switch (posix::readRegularNativeFile(native, posix::kProfileSizeLimit, bytes, info)) {
    case FileReadResult::Missing:
        return posix::writeFileAtomically(native, editedContents({}, section, key, value), 0644);
    case FileReadResult::Read:
        break;
    default: // never rewrite what could not be read: its content would be lost
        return false;
    }
    if (!(info.st_mode & S_IWUSR))
        return false; // read-only, as for everyone on the system this program was made for
    const ProfileText text = posix::profileTextOf(std::move(bytes));
    if (!text.reversible)
        return false; // UTF-16 that could not be written back as it was
    return posix::writeFileAtomically(
        native, text.fileBytes(editedContents(text, section, key, value)), info.st_mode & 07777);
}

} // namespace

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    try {
        const auto index = posix::profileIndexOf(toNativePath(path));
        return index ? index->value(section, key) : std::string();
    } catch (const std::exception&) { // out of memory for a huge file: it reads as unreadable
        return {};
    }
}

std::vector<ProfileSectionLines> listProfileLines(const std::string& path) {
    try {
        const auto index = posix::profileIndexOf(toNativePath(path));
        return index ? index->lines() : std::vector<ProfileSectionLines>();
    } catch (const std::exception&) {
        return {};
    }
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    try {
        const std::string native = toNativePath(path);
        const bool written = !native.empty() && writeProfileFile(native, section, key, value);
        posix::forgetProfileCopies();
        return written;
    } catch (const std::exception&) {
        posix::forgetProfileCopies();
        return false;
    }
}

} // namespace platform
