#pragma once
// A parsed profile file: every value the reader can give, found by section and key in constant
// time, so reading all keys of a large script costs as much as parsing it once.
#include "platform/ProfileFile.h"
#include "platform/posix/ProfileFileText.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace platform::posix {

class ProfileIndex {
public:
    explicit ProfileIndex(const ProfileText& text);
    // The value as the system's reader gives it; empty for a missing section or key.
    std::string value(const std::string& section, const std::string& key) const;
    // What the reader sees, in file order, with line numbers.
    const std::vector<ProfileSectionLines>& lines() const { return outline; }

private:
    using Keys = std::unordered_map<std::string, std::string>; // by lower-case key name
    std::unordered_map<std::string, Keys> sections;            // by lower-case section name
    std::vector<ProfileSectionLines> outline;
};

} // namespace platform::posix
