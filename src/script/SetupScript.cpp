#include "script/SetupScript.h"

#include "platform/ProfileFile.h"
#include "platform/AsciiCase.h"

#include <cctype>
#include <climits>
#include <cstdio>

SetupScript::SetupScript(std::string scriptPath, std::string languageSection)
    : scriptPath(std::move(scriptPath)), languageSection(std::move(languageSection)),
      reading(platform::readProfile(this->scriptPath)) {}

SetupScript SetupScript::withLanguage(std::string section) const {
    SetupScript chosen = *this;
    chosen.languageSection = std::move(section);
    return chosen;
}

const std::vector<platform::ProfileSectionLines>& SetupScript::sections() const {
    static const std::vector<platform::ProfileSectionLines> none;
    return reading ? reading->lines() : none;
}

std::string SetupScript::readText(const std::string& section, const std::string& key) const {
    return reading ? reading->value(section, key) : std::string();
}

int SetupScript::readCount(const std::string& section, const std::string& key) const {
    return parseCount(readText(section, key));
}

bool SetupScript::readFlag(const std::string& section, const std::string& key) const {
    return platform::equalsIgnoringCase(readText(section, key), "true");
}

std::string SetupScript::languageText(const std::string& key) const {
    return readText(languageSection, key);
}

int SetupScript::languageCount(const std::string& key) const {
    return parseCount(languageText(key));
}

bool SetupScript::writeText(const std::string& filePath, const std::string& section,
                            const std::string& key, const std::string& value) {
    return platform::writeProfileString(filePath, section, key, value);
}

std::string SetupScript::indexedKey(const std::string& pattern, int index) {
    const auto at = pattern.find("%d");
    const std::string number = std::to_string(index);
    if (at == std::string::npos)
        return pattern + number;
    return pattern.substr(0, at) + number + pattern.substr(at + 2);
}

int parseCount(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}
