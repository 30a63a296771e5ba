#include "words/ProgramWords.h"
#include "copy/SoundArchiveRecord.h"
#include "pages/AgreementText.h"
#include "pages/TargetFolderRefusal.h"
#include "session/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>

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

// What a person reads, in the run's language: the target folder's refusals, the command line's
// help and errors, a failed archive's reason and a missing agreement.
TEST_F(ProgramWords, theProgramsWordsSpeakTheRunsLanguage) {
    const auto refusal = [](const char* folder) {
        return [=] { return targetFolderRefusal(folder); };
    };
    const struct {
        const char* languageId;
        std::function<std::string()> text;
        const char* start;
        const char* within;
    } cases[] = {
        {"0409", refusal("C:\\"), "C:\\ is the root of a drive:", "such as C:\\Games."},
        {"0415", refusal("D:\\"), "D:\\ to katalog główny dysku:", "na przykład D:\\Gry."},
        {"0415", refusal("C:\\"), "C:\\ to katalog główny dysku:", "na przykład C:\\Gry."},
        {"0407", refusal("D:\\"), "D:\\ is the root of a drive:", "such as D:\\Games."},
        {"0415", [] { return usageText("setup"); }, "Użycie: setup [--silent", "Kod wyjścia: 0"},
        {"0407", [] { return usageText("setup"); }, "Usage: setup [--silent", "Exit status: 0"},
        {"0415", [] { return parseCommandLine({"--dir"}).error; }, "--dir wymaga wartości", ""},
        {"0415",
         [] {
             return parseCommandLine({"--silent", "--dir", "C:\\a\\NUL"}).error;
         },
         "--dir: NUL jest nazwą, którą Windows zachowuje", ""},
        {"0415", [] { return words::translate(describeArchiveStatus(ArchiveStatus::ShortHeader)); },
         "nagłówek rekordu jest ucięty", ""},
        {"0415", [] { return loadAgreementText("no such licence.txt"); },
         "Umowy licencyjnej no such licence.txt nie ma na nośniku.", ""},
    };
    for (const auto& c : cases) {
        words::useLanguage(c.languageId);
        const std::string text = c.text();
        EXPECT_EQ(text.rfind(c.start, 0), 0u) << text;
        EXPECT_NE(text.find(c.within), std::string::npos) << text;
    }
    EXPECT_EQ(targetFolderRefusal("C:\\Games\\Moonrise Harbour"), "");
}

TEST_F(ProgramWords, valuesFillTheirMarksOnce) {
    EXPECT_EQ(words::translateWith("%2 and %1, %1", {"a%2", "b"}), "b and a%2, a%2");
    EXPECT_EQ(words::translateWith("100% sure %3", {"x"}), "100% sure %3");
    EXPECT_EQ(words::translate("Not in any catalog"), "Not in any catalog");
}

} // namespace
