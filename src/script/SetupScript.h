#pragma once
// The setup script (install.ini): every read goes to the file, so nothing is cached.
#include <string>

class SetupScript {
public:
    SetupScript(std::string scriptPath, std::string languageSection = {})
        : scriptPath(std::move(scriptPath)), languageSection(std::move(languageSection)) {}

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
};

// atoi on a text, without its undefined behaviour on overflow (the value saturates).
int parseCount(const std::string& text);
