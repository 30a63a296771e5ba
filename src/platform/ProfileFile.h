#pragma once
// Profile files ("ini" files) as the system's profile functions read and write them.
#include <string>

namespace platform {

// The value of a key, trimmed, in UTF-8, at most 259 characters; empty when the file, the
// section or the key is missing. Section and key names match without regard to case.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key);

// Adds or replaces one key, creating the file and the section as needed; every other line and
// byte of the file stays as it was. The value is stored in the file's own encoding.
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

} // namespace platform
