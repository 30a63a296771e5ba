#include "platform/Locale.h"

#include "platform/posix/NativePath.h"

#include <cstdlib>
#include <string>

namespace platform {
namespace {

struct LanguageId {
    const char* locale; // language, or language_TERRITORY
    const char* id;
    int codePage;
};

// The system's language ids for the locale names; a language's first row is its default.
constexpr LanguageId kLanguages[] = {
    {"en_us", "0409", 1252}, {"en_gb", "0809", 1252}, {"en_au", "0c09", 1252},
    {"en_ca", "1009", 1252}, {"en_nz", "1409", 1252}, {"en_ie", "1809", 1252},
    {"en", "0409", 1252},    {"pl", "0415", 1250},    {"de_at", "0c07", 1252},
    {"de_ch", "0807", 1252}, {"de", "0407", 1252},    {"fr_be", "080c", 1252},
    {"fr_ca", "0c0c", 1252}, {"fr_ch", "100c", 1252}, {"fr", "040c", 1252},
    {"es_mx", "080a", 1252}, {"es", "0c0a", 1252},    {"it", "0410", 1252},
    {"pt_br", "0416", 1252}, {"pt", "0816", 1252},    {"nl_be", "0813", 1252},
    {"nl", "0413", 1252},    {"cs", "0405", 1250},    {"sk", "041b", 1250},
    {"hu", "040e", 1250},    {"hr", "041a", 1250},    {"sl", "0424", 1250},
    {"ro", "0418", 1250},    {"ru", "0419", 1251},    {"uk", "0422", 1251},
    {"bg", "0402", 1251},    {"el", "0408", 1253},    {"tr", "041f", 1254},
    {"lt", "0427", 1257},    {"lv", "0426", 1257},    {"et", "0425", 1257},
    {"sv", "041d", 1252},    {"da", "0406", 1252},    {"fi", "040b", 1252},
    {"nb", "0414", 1252},    {"no", "0414", 1252},    {"nn", "0814", 1252},
    {"is", "040f", 1252},    {"ja", "0411", 932},     {"ko", "0412", 949},
    {"zh_tw", "0404", 950},  {"zh", "0804", 936},
};

// "pl_PL.UTF-8@euro" -> "pl_pl"; the first of LC_ALL, LC_MESSAGES and LANG that is set.
std::string localeName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            std::string name = value;
            name = name.substr(0, name.find_first_of(".@"));
            return posix::asciiLower(name);
        }
    }
    return {};
}

const LanguageId& languageOfLocale() {
    const std::string name = localeName();
    const std::string language = name.substr(0, name.find('_'));
    for (const LanguageId& entry : kLanguages)
        if (name == entry.locale)
            return entry;
    for (const LanguageId& entry : kLanguages)
        if (language == entry.locale)
            return entry;
    return kLanguages[0]; // "C", "POSIX" and unknown locales: US English
}

} // namespace

std::string systemLanguageId() {
    return languageOfLocale().id;
}

int ansiCodePage() {
    return languageOfLocale().codePage;
}

} // namespace platform
