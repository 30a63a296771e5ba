#include "platform/Locale.h"

#include "platform/posix/NativePath.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unicode/uloc.h>

namespace platform {
namespace {

constexpr unsigned kUsEnglish = 0x0409;
// What the system answers for a locale it has no id of its own for.
constexpr unsigned kUnspecifiedCustomLocale = 0x1000;

// The first of LC_ALL, LC_MESSAGES and LANG that is set ("pl_PL.UTF-8@euro").
std::string localeName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return {};
}

// A POSIX locale name as the locale data names it: the encoding dropped, the script modifiers
// made scripts ("sr_RS@latin" -> "sr_Latn_RS"), other modifiers kept as variants.
std::string localeDataName(const std::string& posixName) {
    const auto at = posixName.find('@');
    const std::string modifier = at == std::string::npos ? "" : posixName.substr(at + 1);
    std::string name = posixName.substr(0, std::min(at, posixName.find('.')));
    const auto underscore = name.find('_');
    const std::string language = name.substr(0, underscore);
    const std::string territory = underscore == std::string::npos ? "" : name.substr(underscore);
    if (modifier == "latin" || modifier == "cyrillic")
        return language + (modifier == "latin" ? "_Latn" : "_Cyrl") + territory;
    if (!modifier.empty() && modifier != "euro")
        return name + "@" + modifier;
    return name;
}

// A locale without a territory stands for its language's usual one ("pl" -> "pl_PL").
std::string withTerritory(const std::string& name) {
    UErrorCode status = U_ZERO_ERROR;
    char country[ULOC_COUNTRY_CAPACITY] = {};
    uloc_getCountry(name.c_str(), country, sizeof country, &status);
    if (U_FAILURE(status) || country[0])
        return name;
    char likely[ULOC_FULLNAME_CAPACITY] = {};
    uloc_addLikelySubtags(name.c_str(), likely, sizeof likely, &status);
    char language[ULOC_LANG_CAPACITY] = {};
    uloc_getLanguage(likely, language, sizeof language, &status);
    uloc_getCountry(likely, country, sizeof country, &status);
    if (U_FAILURE(status) || !country[0])
        return name;
    return std::string(language) + "_" + country;
}

unsigned languageIdOf(const std::string& posixName) {
    const std::string lower = posix::asciiLower(posixName.substr(0, posixName.find_first_of(".@")));
    if (lower.empty() || lower == "c" || lower == "posix")
        return kUsEnglish;
    UErrorCode status = U_ZERO_ERROR;
    char canonical[ULOC_FULLNAME_CAPACITY] = {};
    uloc_canonicalize(localeDataName(posixName).c_str(), canonical, sizeof canonical, &status);
    if (U_FAILURE(status))
        return kUnspecifiedCustomLocale;
    const unsigned id = uloc_getLCID(withTerritory(canonical).c_str());
    if (id == 0)
        return kUnspecifiedCustomLocale;
    // A language without a sublanguage answers with the language's default one.
    return (id >> 10) == 0 ? (id | 0x0400) : id;
}

struct CodePage {
    const char* locale; // language, or language_territory
    int codePage;
};

// The 8-bit code pages other than 1252 (Western European, the answer for every other language).
constexpr CodePage kCodePages[] = {
    {"pl", 1250}, {"cs", 1250}, {"sk", 1250},    {"hu", 1250},    {"hr", 1250},
    {"sl", 1250}, {"ro", 1250}, {"ru", 1251},    {"uk", 1251},    {"bg", 1251},
    {"el", 1253}, {"tr", 1254}, {"lt", 1257},    {"lv", 1257},    {"et", 1257},
    {"ja", 932},  {"ko", 949},  {"zh_tw", 950},  {"zh", 936},
};

int codePageOf(const std::string& posixName) {
    const std::string name = posix::asciiLower(posixName.substr(0, posixName.find_first_of(".@")));
    const std::string language = name.substr(0, name.find('_'));
    for (const CodePage& entry : kCodePages)
        if (name == entry.locale)
            return entry.codePage;
    for (const CodePage& entry : kCodePages)
        if (language == entry.locale)
            return entry.codePage;
    return 1252;
}

} // namespace

std::string systemLanguageId() {
    char text[16];
    std::snprintf(text, sizeof text, "%04x", languageIdOf(localeName()));
    return text;
}

int ansiCodePage() {
    return codePageOf(localeName());
}

} // namespace platform
