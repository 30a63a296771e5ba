#include "pages/TargetFolderRefusal.h"
#include "words/ProgramWords.h"

#include <gtest/gtest.h>

namespace {

class ProgramWords : public testing::Test {
protected:
    ~ProgramWords() override { words::useLanguage(""); }
};

// The primary language decides, whatever the country; the program has a catalog for Polish only.
TEST_F(ProgramWords, theLanguageIdChoosesTheCatalog) {
    const struct {
        const char* id;
        const char* catalog;
    } cases[] = {{"0415", "pl"}, {"0815", "pl"}, {"0409", ""}, {"0407", ""},
                 {"", ""},       {"zz", ""},     {"04151", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(words::catalogLanguage(c.id), c.catalog) << c.id;
}

// What a person reads when the target folder is refused, in the run's language.
TEST_F(ProgramWords, theRefusalsSpeakTheRunsLanguage) {
    const struct {
        const char* languageId;
        const char* folder;
        const char* start;
        const char* example;
    } cases[] = {
        {"0409", "C:\\", "C:\\ is the root of a drive:", "such as C:\\Games."},
        {"0415", "D:\\", "D:\\ to katalog główny dysku:", "na przykład D:\\Gry."},
        {"0415", "C:\\", "C:\\ to katalog główny dysku:", "na przykład C:\\Gry."},
        {"0407", "D:\\", "D:\\ is the root of a drive:", "such as D:\\Games."},
    };
    for (const auto& c : cases) {
        words::useLanguage(c.languageId);
        const std::string refusal = targetFolderRefusal(c.folder);
        EXPECT_EQ(refusal.rfind(c.start, 0), 0u) << refusal;
        EXPECT_NE(refusal.find(c.example), std::string::npos) << refusal;
    }
    EXPECT_EQ(targetFolderRefusal("C:\\Games\\Moonrise Harbour"), "");
}

TEST_F(ProgramWords, valuesFillTheirMarksOnce) {
    EXPECT_EQ(words::translateWith("%2 and %1, %1", {"a%2", "b"}), "b and a%2, a%2");
    EXPECT_EQ(words::translateWith("100% sure %3", {"x"}), "100% sure %3");
    EXPECT_EQ(words::translate("Not in any catalog"), "Not in any catalog");
}

} // namespace
