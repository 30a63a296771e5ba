#pragma once
// The setup script (install.ini), read once when it is opened: every later read is of that
// reading, so that the whole run sees one script and no step reads the file again. Copies share
// the reading. A missing or unreadable file reads as empty.
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ProfileReading;
struct ProfileSectionLines;
} // namespace platform

class SetupScript {
public:
    explicit SetupScript(std::string scriptPath, std::string languageSection = {});

    // The same reading, whose texts come from another language section.
    SetupScript withLanguage(std::string section) const;

    // False when the file was missing or could not be read.
    bool readable() const { return reading != nullptr; }
    // The sections in file order with their keys, as the reader sees them.
    const std::vector<platform::ProfileSectionLines>& sections() const;

    // At most 259 characters; empty when the file, section or key is missing.
    std::string readText(const std::string& section, const std::string& key) const;
    // atoi rules: leading blanks, optional sign, digits up to the first other character.
    int readCount(const std::string& section, const std::string& key) const;
    // On exactly when the text equals "true" without regard to case.
    bool readFlag(const std::string& section, const std::string& key) const;
    // The text lookup: a key of the language section.
    std::string languageText(const std::string& key) const;
    int languageCount(const std::string& key) const;

    static bool writeText(const std::string& filePath, const std::string& section,
                          const std::string& key, const std::string& value);

    // An indexed key: the name formed with "%d" from the index, e.g. "Exe10".
    static std::string indexedKey(const std::string& pattern, int index);

    const std::string& path() const { return scriptPath; }
    const std::string& language() const { return languageSection; }

private:
    std::string scriptPath;
    std::string languageSection;
    std::shared_ptr<const platform::ProfileReading> reading;
};

// atoi on a text, without its undefined behaviour on overflow (the value saturates).
int parseCount(const std::string& text);
