#include "platform/profile/ProfileIndex.h"

#include "platform/AsciiCase.h"
#include "platform/TextEncoding.h"
#include "platform/profile/ProfileLines.h"

namespace platform::profile {
namespace {

// What fits the 260-byte buffer the system's reader is called with.
constexpr std::size_t kValueLimit = 259;

std::string withoutQuotes(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

ProfileIndex::ProfileIndex(const ProfileText& text) : fileEncoding(text.encoding) {
    // Only the first section of a name counts and only the first key of a name in it, as the
    // system's reader stops at the first match.
    // Lines count from 1 at the start of the file; a byte-order mark is part of line 1.
    Keys* current = nullptr;
    int lineNumber = 0;
    for (const ProfileLine& line : profileLines(text)) {
        ++lineNumber;
        if (line.kind == ProfileLine::Section) {
            const auto [at, added] = sections.try_emplace(asciiLower(line.name));
            current = added ? &at->second : nullptr;
            if (added)
                outline.push_back({line.name, lineNumber, {}});
        } else if (line.kind == ProfileLine::Key && current) {
            const auto [at, added] = current->try_emplace(
                asciiLower(line.name), utf8Prefix(withoutQuotes(line.value), kValueLimit));
            if (added)
                outline.back().keys.push_back({line.name, lineNumber});
        }
    }
}

std::string ProfileIndex::value(const std::string& section, const std::string& key) const {
    const auto keys = sections.find(asciiLower(section));
    if (keys == sections.end())
        return {};
    const auto value = keys->second.find(asciiLower(key));
    return value == keys->second.end() ? std::string() : value->second;
}

} // namespace platform::profile
