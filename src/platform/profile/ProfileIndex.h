#pragma once
// A parsed profile file: every value the reader can give, found by section and key in constant
// time, so reading all keys of a large script costs as much as parsing it once.
#include "platform/ProfileFile.h"
#include "platform/profile/ProfileText.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace platform::profile {

class ProfileIndex {
public:
    explicit ProfileIndex(const ProfileText& text);
    // The value as the system's reader gives it; empty for a missing section or key.
    std::string value(const std::string& section, const std::string& key) const;
    // What the reader sees, in file order, with line numbers.
    const std::vector<ProfileSectionLines>& lines() const { return outline; }
    // The file's encoding; on Windows a file in the code page is read by the system's reader.
    ProfileEncoding encoding() const { return fileEncoding; }

private:
    ProfileEncoding fileEncoding;
    using Keys = std::unordered_map<std::string, std::string>; // by lower-case key name
    std::unordered_map<std::string, Keys> sections;            // by lower-case section name
    std::vector<ProfileSectionLines> outline;
};

} // namespace platform::profile
