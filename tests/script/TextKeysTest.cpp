// The program's texts are looked up through one list, which the medium checker reads too: a key
// written anywhere else would escape the checker.
#include "script/TextKeys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(TextKeysTest, everyLanguageKeyOfTheProgramIsInTheList) {
    const char* source = std::getenv("SETUP_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::regex literal("\"IDS_[A-Z0-9_]*\"");
    std::vector<std::string> strays;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(source) / "src")) {
        if (!entry.is_regular_file() || entry.path().filename() == "TextKeys.h")
            continue;
        std::ifstream file(entry.path());
        std::string line;
        for (int number = 1; std::getline(file, line); ++number) {
            const std::string code = line.substr(0, line.find("//"));
            if (std::regex_search(code, literal))
                strays.push_back(entry.path().string() + ":" + std::to_string(number));
        }
    }
    EXPECT_TRUE(strays.empty()) << "keys outside script/TextKeys.h: "
                                << ::testing::PrintToString(strays);

    std::set<std::string> listed;
    for (const auto& text : textkeys::kLanguageTexts)
        EXPECT_TRUE(listed.insert(text.key).second) << text.key << " listed twice";
    std::ifstream header(fs::path(source) / "src/script/TextKeys.h");
    std::stringstream contents;
    contents << header.rdbuf();
    const std::string text = contents.str();
    const std::regex constant("constexpr char k\\w+\\[\\] = \"(IDS_[A-Z0-9_]*)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), constant), end; it != end; ++it) {
        const std::string key = (*it)[1];
        // File names are checked as files; a text with a built-in fallback may be missing.
        const bool unlisted = key == textkeys::kLicenceFile ||
                              key == textkeys::kDirectXProgram || key == textkeys::kNoSpace;
        EXPECT_NE(listed.count(key) == 1, unlisted) << key;
    }
}

} // namespace
