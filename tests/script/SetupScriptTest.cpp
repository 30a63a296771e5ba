#include "script/SetupScript.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The bytes of a UTF-16 text in either byte order.
std::string utf16(const std::u16string& text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

struct ProfileCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* expected;
};

// Tricky inputs for the profile reader and what the system's reader makes of them.
const ProfileCase kProfileCases[] = {
    {"section and key without regard to case", "[Opt]\nKey=v\n", "OPT", "kEY", "v"},
    {"blanks around names and value", "  [ Opt ]  \n  Key   =   two words  \n", "Opt", "Key",
     "two words"},
    {"double quotes stripped", "[s]\nk=\"  quoted  \"\n", "s", "k", "  quoted  "},
    {"single quotes stripped", "[s]\nk='x'\n", "s", "k", "x"},
    {"unmatched quote kept", "[s]\nk=\"x\n", "s", "k", "\"x"},
    {"inner quotes kept", "[s]\nk=a\"b\"\n", "s", "k", "a\"b\""},
    {"first of duplicate keys", "[s]\nk=first\nk=second\n", "s", "k", "first"},
    {"only the first of duplicate sections", "[s]\na=1\n[s]\nb=2\n", "s", "b", ""},
    {"lines before the first section", "k=orphan\n[s]\nx=1\n", "s", "k", ""},
    {"line without equals is a key without value", "[s]\nlonely\nk=v\n", "s", "lonely", ""},
    {"CRLF line ends", "[s]\r\nk=v\r\nm=w\r\n", "s", "m", "w"},
    {"value with equals sign", "[s]\nk=a=b\n", "s", "k", "a=b"},
    {"missing section", "[s]\nk=v\n", "t", "k", ""},
    {"missing key", "[s]\nk=v\n", "s", "q", ""},
    {"empty value", "[s]\nk=\n", "s", "k", ""},
    {"key in the next section is not seen", "[s]\n[t]\nk=v\n", "s", "k", ""},
    {"byte order mark", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
    {"comment line is not a key", "[s]\n;k=v\nk=w\n", "s", "k", "w"},
    {"last line without line end", "[s]\nk=v", "s", "k", "v"},
    {"section header without bracket", "[s\nk=v\n", "s", "k", "v"},
    {"UTF-16 little endian", utf16(u"\uFEFF[Opt]\r\nKey=Zaż\U0001F600\r\n", false), "opt", "key",
     "Za\xC5\xBC\xF0\x9F\x98\x80"},
    {"UTF-16 big endian", utf16(u"\uFEFF[Opt]\r\nKey= \"Zaż\" \r\n", true), "opt", "key",
     "Za\xC5\xBC"},
};

class ProfileReading : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileReading, readsAsTheSystemReaderDoes) {
    TempFolder folder;
    const auto path = folder.write("install.ini", GetParam().file);
    const SetupScript script(path.string());
    EXPECT_EQ(script.readText(GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReading, testing::ValuesIn(kProfileCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(SetupScript, missingFileReadsEmptyAndZero) {
    const SetupScript script("/nonexistent/folder/install.ini", "English");
    EXPECT_EQ(script.readText("Option", "PROGRAM_NAME"), "");
    EXPECT_EQ(script.readCount("Language", "Nr"), 0);
    EXPECT_FALSE(script.readFlag("Option", "show_licence"));
    EXPECT_EQ(script.languageText("IDS_DALEJ"), "");
}

TEST(SetupScript, valueIsCutAt259Characters) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[s]\nk=" + std::string(300, 'x') + "\n");
    const SetupScript script(path.string());
    EXPECT_EQ(script.readText("s", "k"), std::string(259, 'x'));
}

TEST(SetupScript, cutKeepsWholeCharacters) {
    TempFolder folder;
    std::string polish;
    for (int i = 0; i < 300; ++i)
        polish += "\xC4\x85"; // ą
    const auto path = folder.write("install.ini", "[s]\nk=" + polish + "\n");
    const std::string value = SetupScript(path.string()).readText("s", "k");
    EXPECT_EQ(value.size(), 259u * 2);
    EXPECT_TRUE(platform::isValidUtf8(value));
}

TEST(SetupScript, countsFollowAtoi) {
    TempFolder folder;
    const auto path =
        folder.write("install.ini", "[s]\na=  42abc\nb=-3\nc=x7\nd=+8\ne=99999999999\n");
    const SetupScript script(path.string());
    EXPECT_EQ(script.readCount("s", "a"), 42);
    EXPECT_EQ(script.readCount("s", "b"), -3);
    EXPECT_EQ(script.readCount("s", "c"), 0);
    EXPECT_EQ(script.readCount("s", "d"), 8);
    EXPECT_EQ(script.readCount("s", "e"), 2147483647);
    EXPECT_EQ(script.readCount("s", "missing"), 0);
}

TEST(SetupScript, flagIsOnOnlyForTrueInAnyCase) {
    TempFolder folder;
    const auto path =
        folder.write("install.ini", "[o]\na=true\nb=TRUE\nc=True\nd=1\ne=yes\nf=true1\ng= true \n");
    const SetupScript script(path.string());
    for (const char* key : {"a", "b", "c", "g"})
        EXPECT_TRUE(script.readFlag("o", key)) << key;
    for (const char* key : {"d", "e", "f", "missing"})
        EXPECT_FALSE(script.readFlag("o", key)) << key;
}

TEST(SetupScript, indexedKeysHaveNoLeadingZeros) {
    EXPECT_EQ(SetupScript::indexedKey("Exe%d", 10), "Exe10");
    EXPECT_EQ(SetupScript::indexedKey("%d", 0), "0");
    EXPECT_EQ(SetupScript::indexedKey("Description%d", 3), "Description3");
}

TEST(SetupScript, languageTextReadsTheLanguageSection) {
    TempFolder folder;
    const auto path =
        folder.write("install.ini", "[English]\nIDS_DALEJ=Next\n[Polski]\nIDS_DALEJ=Dalej\n");
    EXPECT_EQ(SetupScript(path.string(), "polski").languageText("IDS_DALEJ"), "Dalej");
    EXPECT_EQ(SetupScript(path.string(), "Deutsch").languageText("IDS_DALEJ"), "");
}

TEST(SetupScript, scriptInTheSystemCodePageIsDecoded) {
    setenv("LANG", "pl_PL.UTF-8", 1);
    TempFolder folder;
    // "Wyjście" and "pełna" in code page 1250.
    const auto path = folder.write("install.ini", "[Polski]\nIDS_WYJSCIE=Wyj\x9C"
                                                  "cie\nMAX=pe\xB3na\n");
    const SetupScript script(path.string(), "Polski");
    EXPECT_EQ(script.languageText("IDS_WYJSCIE"), "Wyj\xC5\x9B"
                                                  "cie");
    EXPECT_EQ(script.languageText("MAX"), "pe\xC5\x82na");
}

TEST(SetupScriptWriting, replacingAKeyLeavesEveryOtherByte) {
    TempFolder folder;
    const std::string before = "; comment\r\n[Option]\r\nPROGRAM_NAME = Demo \r\nlanguage=old\r\n"
                               "\r\n[English]\r\nIDS_DALEJ=Next\r\n";
    const auto path = folder.write("install.ini", before);
    ASSERT_TRUE(SetupScript::writeText(path.string(), "OPTION", "Language", "Polski"));
    std::string expected = before;
    expected.replace(expected.find("language=old"), 12, "language=Polski");
    EXPECT_EQ(readWholeFile(path), expected);
}

TEST(SetupScriptWriting, newKeyGoesAtTheEndOfItsSection) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[Option]\nA=1\n\n[English]\nB=2\n");
    ASSERT_TRUE(SetupScript::writeText(path.string(), "Option", "Language", "English"));
    EXPECT_EQ(readWholeFile(path), "[Option]\nA=1\nLanguage=English\n\n[English]\nB=2\n");
}

TEST(SetupScriptWriting, newSectionAndNewFile) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[English]\nB=2");
    ASSERT_TRUE(SetupScript::writeText(path.string(), "Option", "Language", "English"));
    EXPECT_EQ(readWholeFile(path), "[English]\nB=2\n[Option]\nLanguage=English\n");
    const auto fresh = folder / "fresh.ini";
    ASSERT_TRUE(SetupScript::writeText(fresh.string(), "Option", "Language", "Polski"));
    EXPECT_EQ(SetupScript(fresh.string()).readText("option", "language"), "Polski");
}

TEST(SetupScriptWriting, keepsTheFileEncoding) {
    setenv("LANG", "pl_PL.UTF-8", 1);
    TempFolder folder;
    const auto path = folder.write("install.ini", "[Polski]\nX=pe\xB3na\n[Option]\n");
    ASSERT_TRUE(SetupScript::writeText(path.string(), "Option", "Language",
                                       "Wyj\xC5\x9B"
                                       "cie"));
    EXPECT_EQ(readWholeFile(path), "[Polski]\nX=pe\xB3na\n[Option]\nLanguage=Wyj\x9C"
                                   "cie\n");
}

TEST(SetupScriptWriting, utf16FileKeepsItsEncoding) {
    TempFolder folder;
    for (const bool bigEndian : {false, true}) {
        const auto path =
            folder.write("install.ini", utf16(u"\uFEFF[Option]\r\nName=Zaż\r\n", bigEndian));
        ASSERT_TRUE(SetupScript::writeText(path.string(), "option", "Language", "Wyjście"));
        EXPECT_EQ(readWholeFile(path),
                  utf16(u"\uFEFF[Option]\r\nName=Zaż\r\nLanguage=Wyjście\r\n", bigEndian));
    }
    // An unpaired surrogate has no UTF-8 form to carry it through an edit.
    const std::string broken = utf16(u"\uFEFF[Option]\r\nName=", false) + std::string("\x00\xD8", 2);
    const auto path = folder.write("install.ini", broken);
    EXPECT_FALSE(SetupScript::writeText(path.string(), "Option", "Language", "Polski"));
    EXPECT_EQ(readWholeFile(path), broken);
}

TEST(SetupScriptWriting, readOnlyFileIsNotWritten) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[Option]\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(SetupScript::writeText(path.string(), "Option", "Language", "English"));
    EXPECT_EQ(readWholeFile(path), "[Option]\n");
}

} // namespace
