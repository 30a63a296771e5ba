#pragma once
// The lines of a profile file as the system's profile functions see them.
#include "platform/profile/ProfileText.h"

#include <string>
#include <vector>

namespace platform::profile {

struct ProfileLine {
    std::size_t start = 0; // byte offsets in raw; end excludes the line break
    std::size_t end = 0;
    // Other: a blank line, or a line opened by "[" without its "]".
    enum Kind { Other, Section, Key, Comment } kind = Other;
    std::string name; // section or key name, trimmed, in UTF-8
    std::string value;
};

std::vector<ProfileLine> profileLines(const ProfileText& text);

} // namespace platform::profile
