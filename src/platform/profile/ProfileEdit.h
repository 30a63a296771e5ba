#pragma once
// The key writer's edit of a profile file's text, the same on every system.
#include "platform/profile/ProfileText.h"

#include <string>

namespace platform::profile {

// The file's bytes after adding or replacing one key, creating the section as needed; every
// other line and byte stays as it was, and the value is stored in the file's own encoding. A
// missing file is an empty text. False when the text cannot be written back as it was read.
bool editedProfileBytes(const ProfileText& text, const std::string& section, const std::string& key,
                        const std::string& value, std::string& bytes);

} // namespace platform::profile
