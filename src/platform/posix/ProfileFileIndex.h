#pragma once
// A parsed profile file: every value the reader can give, found by section and key in constant
// time, so reading all keys of a large script costs as much as parsing it once.
#include "platform/posix/ProfileFileText.h"

#include <string>
#include <unordered_map>

namespace platform::posix {

class ProfileIndex {
public:
    explicit ProfileIndex(const ProfileText& text);
    // The value as the system's reader gives it; empty for a missing section or key.
    std::string value(const std::string& section, const std::string& key) const;

private:
    using Keys = std::unordered_map<std::string, std::string>; // by lower-case key name
    std::unordered_map<std::string, Keys> sections;            // by lower-case section name
};

} // namespace platform::posix
