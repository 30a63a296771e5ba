#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct LocaleCase {
    const char* lcAll;
    const char* lang;
    const char* id;
    int codePage;
};

TEST(Locale, languageIdsFromTheLocale) {
    const LocaleCase cases[] = {
        {"", "pl_PL.UTF-8", "0415", 1250}, {"", "en_US.UTF-8", "0409", 1252},
        {"", "en_GB", "0809", 1252},       {"de_DE.UTF-8", "pl_PL", "0407", 1252},
        {"", "fr_CA.UTF-8", "0c0c", 1252}, {"", "C", "0409", 1252},
        {"", "POSIX", "0409", 1252},       {"", "cs_CZ.UTF-8", "0405", 1250},
        {"", "en_IN", "4009", 1252},       {"", "ru_RU.UTF-8", "0419", 1251},
        // Every locale has its own id; only C and POSIX stand for US English.
        {"", "sw_KE.UTF-8", "0441", 1252}, {"", "pl", "0415", 1250},
        {"", "C.UTF-8", "0409", 1252},     {"", "sr_RS@latin", "241a", 1252},
        {"", "de_DE@euro", "0407", 1252},  {"", "xx_YY", "1000", 1252},
        {"", "", "0409", 1252},
    };
    unsetenv("LC_MESSAGES");
    for (const LocaleCase& c : cases) {
        setenv("LC_ALL", c.lcAll, 1);
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(platform::systemLanguageId(), c.id) << c.lcAll << " " << c.lang;
        EXPECT_EQ(platform::ansiCodePage(), c.codePage) << c.lang;
    }
    unsetenv("LC_ALL");
}

} // namespace
