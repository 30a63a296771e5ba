#pragma once
// Profile files ("ini" files) as the system's profile functions read and write them.
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The value of a key, trimmed, in UTF-8, at most 259 characters; empty when the file, the
// section or the key is missing. Section and key names match without regard to case.
std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key);

// Adds or replaces one key, creating the file and the section as needed; every other line and
// byte of the file stays as it was. The value is stored in the file's own encoding.
bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// Where a section header or a key stands in a profile file: its name as written and its line,
// counted from 1, or unknown where the backend cannot tell it.
constexpr int kLineUnknown = 0;
struct ProfileKeyLine {
    std::string name;
    int line = kLineUnknown;
};
struct ProfileSectionLines {
    std::string name;
    int line = kLineUnknown;
    std::vector<ProfileKeyLine> keys; // in file order
};

// A profile file read once: what the reader gives for each key, and the sections in file order,
// each with its keys, as the reader sees them (only the first section of a name and the first key
// of a name in it). Later changes to the file are not seen.
class ProfileReading {
public:
    virtual ~ProfileReading() = default;
    // As readProfileString gives it.
    virtual std::string value(const std::string& section, const std::string& key) const = 0;
    virtual const std::vector<ProfileSectionLines>& lines() const = 0;
};

// Null when the file is missing or cannot be read (not a regular file, beyond any script's size,
// no memory for it).
std::shared_ptr<const ProfileReading> readProfile(const std::string& path);

// The outline of a reading; empty when the file is missing or cannot be read.
std::vector<ProfileSectionLines> listProfileLines(const std::string& path);

} // namespace platform
