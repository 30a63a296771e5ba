#include "words/ProgramWords.h"
#include "copy/SoundArchiveRecord.h"
#include "pages/AgreementText.h"
#include "pages/TargetFolderRefusal.h"
#include "session/CommandLine.h"
#include "words/CatalogFile.h"

#include <gtest/gtest.h>

#include <cstdint>
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

// A compiled catalog of the given entries, in either byte order.
std::string catalogBytes(const std::vector<std::pair<std::string, std::string>>& entries,
                         bool bigEndian) {
    std::string bytes;
    const auto word = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(value >> (bigEndian ? 24 - 8 * i : 8 * i));
    };
    const auto count = static_cast<std::uint32_t>(entries.size());
    std::uint32_t text = 28 + 16 * count;
    word(0x950412de), word(0), word(count), word(28), word(28 + 8 * count), word(0), word(0);
    std::string strings;
    for (const bool translated : {false, true})
        for (const auto& entry : entries) {
            const std::string& value = translated ? entry.second : entry.first;
            word(static_cast<std::uint32_t>(value.size())), word(text + strings.size());
            strings += value + '\0';
        }
    return bytes + strings;
}

// The program reads its catalogs without the toolkit: either byte order, and a catalog cut short
// or no catalog at all gives what it holds whole, never more.
TEST_F(ProgramWords, catalogsAreReadWholeOrNotAtAll) {
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"", "Language: pl\n"}, {"Yes", "Tak"}, {"Drive %1", "Dysk %1"}};
    for (const bool bigEndian : {false, true}) {
        const std::string bytes = catalogBytes(entries, bigEndian);
        const auto read = [&](std::size_t size) {
            return words::readCatalog(reinterpret_cast<const unsigned char*>(bytes.data()), size);
        };
        const auto whole = read(bytes.size());
        EXPECT_EQ(whole.size(), 2u);
        EXPECT_EQ(whole.at("Drive %1"), "Dysk %1");
        for (std::size_t size = 0; size < bytes.size(); ++size)
            EXPECT_LE(read(size).size(), 2u) << size;
        EXPECT_TRUE(read(bytes.size() - 9).count("Drive %1") == 0);
    }
    EXPECT_TRUE(
        words::readCatalog(reinterpret_cast<const unsigned char*>("not a catalog"), 13).empty());
    EXPECT_TRUE(words::readCatalog(nullptr, 0).empty());
}

TEST_F(ProgramWords, valuesFillTheirMarksOnce) {
    EXPECT_EQ(words::translateWith("%2 and %1, %1", {"a%2", "b"}), "b and a%2, a%2");
    EXPECT_EQ(words::translateWith("100% sure %3", {"x"}), "100% sure %3");
    EXPECT_EQ(words::translate("Not in any catalog"), "Not in any catalog");
}

} // namespace
