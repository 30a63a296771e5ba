#include "platform/profile/ProfileEdit.h"

#include "platform/AsciiCase.h"
#include "platform/profile/ProfileLines.h"

#include <vector>

namespace platform::profile {
namespace {

// Index of the first header of the section, or -1. Later sections of the same name are not
// looked at, as the system's reader does.
long findSection(const std::vector<ProfileLine>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == ProfileLine::Section && equalsIgnoringCase(lines[i].name, section))
            return static_cast<long>(i);
    return -1;
}

long findKey(const std::vector<ProfileLine>& lines, long sectionLine, const std::string& key) {
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines.size(); ++i) {
        if (lines[i].kind == ProfileLine::Section)
            break;
        if (lines[i].kind == ProfileLine::Key && equalsIgnoringCase(lines[i].name, key))
            return static_cast<long>(i);
    }
    return -1;
}

std::string lineBreakOf(const std::string& raw) {
    return raw.empty() || raw.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string editedContents(const ProfileText& text, const std::string& section,
                           const std::string& key, const std::string& value) {
    const std::vector<ProfileLine> lines = profileLines(text);
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

} // namespace

bool editedProfileBytes(const ProfileText& text, const std::string& section, const std::string& key,
                        const std::string& value, std::string& bytes) {
    if (!text.reversible)
        return false; // UTF-16 that could not be written back as it was
    bytes = text.fileBytes(editedContents(text, section, key, value));
    return true;
}

} // namespace platform::profile
