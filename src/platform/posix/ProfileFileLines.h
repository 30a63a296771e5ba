#pragma once
// The lines of a profile file as the system's profile functions see them.
#include "platform/posix/ProfileFileText.h"

#include <string>
#include <vector>

namespace platform::posix {

struct ProfileLine {
    std::size_t start = 0; // byte offsets in raw; end excludes the line break
    std::size_t end = 0;
    enum Kind { Other, Section, Key } kind = Other;
    std::string name; // section or key name, trimmed, in UTF-8
    std::string value;
};

std::vector<ProfileLine> profileLines(const ProfileText& text);

} // namespace platform::posix
