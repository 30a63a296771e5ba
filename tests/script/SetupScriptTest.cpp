#include "script/SetupScript.h"
#include "platform/Locale.h"
#include "platform/ProfileFile.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"
#ifdef _WIN32
#include "platform/win32/WideText.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>

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

// Letters that every Latin code page of the system languages carries ("Größe").
const char* const kLatinText = "Gr\xC3\xB6\xC3\x9F"
                               "e";

// Why the system's own reader is not the oracle of a row. Windows' documented reader knows ANSI
// text in the system's code page and UTF-16 with a little-endian mark; Wine's knows more. Where
// they differ, Windows' documented behaviour wins: Wine is not the oracle for what Windows lacks.
const char* const kAnsiOnly = "the system's readers take an unmarked file for ANSI text; a UTF-8 "
                              "script is read as UTF-8 on both systems";
const char* const kNoUtf8Mark = "Wine's reader knows the UTF-8 mark, Windows' does not (the mark "
                                "reads as three ANSI letters); the script is read as UTF-8 on "
                                "both systems";
const char* const kNoBigEndian = "Wine's reader knows big-endian UTF-16, Windows' does not; the "
                                 "script is read as UTF-16 on both systems";
const char* const kCommentByName = "Windows' reader ignores a line that begins with ';'; Wine's "
                                   "reads it by its name; Windows is followed";

struct ProfileCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    const char* expected;
    const char* systemDiffers = nullptr; // null: the system's reader gives `expected` too
    int codePage = 0;                    // of an ANSI script; 0 for any
};

void PrintTo(const ProfileCase& row, std::ostream* out) {
    *out << row.name;
}

// Tricky inputs for the profile reader and what the system's reader makes of them. On Windows
// the system's reader is asked too and must agree, except where the row says why not.
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
    {"comment line is not a key", "[s]\n;k=v\nk=w\n", "s", "k", "w"},
    {"comment line is not read by its name", "[s]\n;k=v\n", "s", ";k", "", kCommentByName},
    {"last line without line end", "[s]\nk=v", "s", "k", "v"},
    // The documented format closes a section name with ']': a line without it names none.
    {"section header without bracket", "[s\nk=v\n", "s", "k", ""},
    // Encodings. A pure-ASCII script (every row above) is UTF-8: both readings agree on it.
    {"UTF-8 script without byte order mark", "[s]\nk=Łódź, zażółć gęślą\n", "s", "k",
     "Łódź, zażółć gęślą", kAnsiOnly},
    {"UTF-8 script with byte order mark", "\xEF\xBB\xBF; demo\n[s]\nk=Łódź\n", "s", "k", "Łódź",
     kNoUtf8Mark},
    {"UTF-8 mark before the first section", "\xEF\xBB\xBF[Option]\r\nPROGRAM_NAME=Demo\r\n",
     "Option", "PROGRAM_NAME", "Demo", kNoUtf8Mark},
    {"UTF-16 little endian", utf16(u"\uFEFF[Opt]\r\nKey=Zaż\U0001F600\r\n", false), "opt", "key",
     "Za\xC5\xBC\xF0\x9F\x98\x80"},
    {"UTF-16 big endian", utf16(u"\uFEFF[Opt]\r\nKey= \"Zaż\" \r\n", true), "opt", "key",
     "Za\xC5\xBC", kNoBigEndian},
    {"ANSI script in code page 1250",
     "[Polski]\nIDS_WYJSCIE=Wyj\x9C"
     "cie pe\xB3na\n",
     "Polski", "IDS_WYJSCIE", "Wyjście pełna", nullptr, 1250},
    {"ANSI script in code page 1252",
     "[s]\nk=Gr\xF6\xDF"
     "e\n",
     "s", "k", kLatinText, nullptr, 1252},
    // The whole script decides, not its first MiB: one ANSI letter far down makes it ANSI.
    {"ANSI letter past the first MiB",
     std::string("[s]\nk=") + kLatinText + "\n;" + std::string(1u << 20, 'x') + "\xF6\n", "s", "k",
     "Gr\xC3\x83\xC2\xB6\xC3\x83\xC5\xB8"
     "e",
     nullptr, 1252},
};

// Makes the row's code page the system's for the test: on POSIX it follows the language, on
// Windows it is the system's own and fixed for the process.
class CodePageOfRow {
public:
    explicit CodePageOfRow(int codePage) {
#ifdef _WIN32
        fits = codePage == 0 || GetACP() == static_cast<UINT>(codePage);
#else
        const char* language = std::getenv("LC_ALL");
        saved = language ? std::optional<std::string>(language) : std::nullopt;
        if (codePage)
            setenv("LC_ALL", codePage == 1250 ? "pl_PL.UTF-8" : "en_US.UTF-8", 1);
        fits = codePage == 0 || platform::ansiCodePage() == codePage;
#endif
    }
    ~CodePageOfRow() {
#ifndef _WIN32
        if (saved)
            setenv("LC_ALL", saved->c_str(), 1);
        else
            unsetenv("LC_ALL");
#endif
    }
    bool fits = true;

private:
    std::optional<std::string> saved;
};

#ifdef _WIN32
std::string systemReaderValue(const std::filesystem::path& file, const ProfileCase& row) {
    wchar_t buffer[260] = {};
    GetPrivateProfileStringW(platform::win32::widen(row.section).c_str(),
                             platform::win32::widen(row.key).c_str(), L"", buffer, 260,
                             file.wstring().c_str());
    return platform::win32::narrow(buffer);
}
#endif

class ProfileReading : public testing::TestWithParam<ProfileCase> {};

// The bytes that a script in the code page holds after the system's writer wrote it. Our own
// writer keeps every byte it does not change, and the tests hold it to that; the system's
// writer on Windows owns the layout of an ANSI script (Wine writes the file anew, with CRLF,
// without blank lines or blanks around '='), so there only the lines count.
std::string codePageLines(const std::string& bytes) {
#ifdef _WIN32
    std::string lines, line;
    std::istringstream in(bytes);
    while (std::getline(in, line)) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            const auto nameEnd = line.find_last_not_of(" \t", equals - 1);
            const auto valueStart = line.find_first_not_of(" \t", equals + 1);
            const auto valueEnd = line.find_last_not_of(" \t");
            line =
                line.substr(0, nameEnd == std::string::npos ? 0 : nameEnd + 1) + "=" +
                (valueStart > valueEnd ? "" : line.substr(valueStart, valueEnd - valueStart + 1));
        }
        if (line.find_first_not_of(" \t") != std::string::npos)
            lines += line + "\n";
    }
    return lines;
#else
    return bytes;
#endif
}

TEST_P(ProfileReading, readsAsTheSystemReaderDoes) {
    const ProfileCase& row = GetParam();
    const CodePageOfRow codePage(row.codePage);
    if (!codePage.fits)
        GTEST_SKIP() << "the system's code page is " << platform::ansiCodePage() << ", not "
                     << row.codePage << ", and is fixed for the process on Windows";
    TempFolder folder;
    const auto path = folder.write("install.ini", row.file);
    const SetupScript script(path.string());
    EXPECT_EQ(script.readText(row.section, row.key), row.expected);
#ifdef _WIN32
    const std::string system = systemReaderValue(path, row);
    if (!row.systemDiffers)
        EXPECT_EQ(system, row.expected) << "the system's reader";
    else
        std::cout << "[ system   ] its reader gives \"" << system << "\"; " << row.systemDiffers
                  << "\n";
#endif
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

// A run sees one script: the one read when it was opened, its language views included, whatever
// happens to the file afterwards; a script opened later sees the file as it is then.
TEST(SetupScript, aScriptIsTheFileAsItWasWhenOpened) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[s]\nk=one\n[English]\nt=Next\n");
    const SetupScript opened(path.string());
    ASSERT_TRUE(SetupScript::writeText(path.string(), "s", "k", "two"));
    EXPECT_EQ(opened.readText("s", "k"), "one");
    EXPECT_EQ(opened.withLanguage("English").languageText("t"), "Next");
    EXPECT_EQ(opened.withLanguage("English").path(), path.string());
    EXPECT_EQ(SetupScript(path.string()).readText("s", "k"), "two");
    std::filesystem::remove(path);
    EXPECT_EQ(opened.readText("s", "k"), "one");
    EXPECT_TRUE(opened.readable());
    EXPECT_FALSE(SetupScript(path.string()).readable());
    EXPECT_TRUE(SetupScript(path.string()).sections().empty());
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
    TempFolder folder;
    const std::string ansi = platform::utf8ToCodePage(kLatinText, platform::ansiCodePage());
    const auto path = folder.write("install.ini", "[Polski]\nX=" + ansi + "\n[Option]\n");
    ASSERT_TRUE(SetupScript::writeText(path.string(), "Option", "Language", kLatinText));
    EXPECT_EQ(codePageLines(readWholeFile(path)),
              codePageLines("[Polski]\nX=" + ansi + "\n[Option]\nLanguage=" + ansi + "\n"));
    const auto utf8 = folder.write("utf8.ini", std::string("[Polski]\nX=") + kLatinText + "\n");
    ASSERT_TRUE(SetupScript::writeText(utf8.string(), "Polski", "Y", kLatinText));
    EXPECT_EQ(readWholeFile(utf8),
              std::string("[Polski]\nX=") + kLatinText + "\nY=" + kLatinText + "\n");
    const auto marked = folder.write("marked.ini", "\xEF\xBB\xBF[Option]\r\nLanguage=x\r\n");
    ASSERT_TRUE(SetupScript::writeText(marked.string(), "Option", "Language", kLatinText));
    EXPECT_EQ(readWholeFile(marked),
              std::string("\xEF\xBB\xBF[Option]\r\nLanguage=") + kLatinText + "\r\n");
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
    const std::string broken =
        utf16(u"\uFEFF[Option]\r\nName=", false) + std::string("\x00\xD8", 2);
    const auto path = folder.write("install.ini", broken);
    EXPECT_FALSE(SetupScript::writeText(path.string(), "Option", "Language", "Polski"));
    EXPECT_EQ(readWholeFile(path), broken);
}

TEST(SetupScriptWriting, readOnlyOrUnreadableFileIsNotWritten) {
    TempFolder folder;
    const auto path = folder.write("install.ini", "[Option]\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_FALSE(SetupScript::writeText(path.string(), "Option", "Language", "English"));
    EXPECT_EQ(readWholeFile(path), "[Option]\n");
    const auto folderInItsPlace = folder / "folder.ini";
    std::filesystem::create_directory(folderInItsPlace);
    EXPECT_FALSE(
        SetupScript::writeText(folderInItsPlace.string(), "Option", "Language", "English"));
    EXPECT_TRUE(std::filesystem::is_directory(folderInItsPlace));
}

std::string describe(const std::vector<platform::ProfileSectionLines>& sections) {
    std::string text;
    for (const auto& section : sections) {
        text += "[" + section.name + "]" + std::to_string(section.line);
        for (const auto& key : section.keys)
            text += " " + key.name + std::to_string(key.line);
        text += ";";
    }
    return text;
}

// The lines a checker reports must be those of the values the reader gives: the first section
// and first key of a name, without comment lines, counted the same in every encoding and on
// every system.
TEST(ProfileLines, sectionsAndKeysAreListedWithTheirLines) {
    const std::string body = "; comment\r\n[Option]\r\nA=1\r\n;A=0\r\na=2\r\n[Two]\r\nB=3\r\n"
                             "[option]\r\nC=4\r\n  [ Three ]  \r\nD";
    const std::u16string wide = u"; comment\r\n[Option]\r\nA=1\r\n;A=0\r\na=2\r\n[Two]\r\n"
                                u"B=3\r\n[option]\r\nC=4\r\n  [ Three ]  \r\nD";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"utf-8 with CRLF", body},
        {"utf-8 with a byte order mark", "\xEF\xBB\xBF" + body},
        {"code page", "; komentarz \xB3\r\n" + body.substr(body.find('\n') + 1)},
        {"utf-16 little endian", utf16(u"\uFEFF" + wide, false)},
        {"utf-16 big endian", utf16(u"\uFEFF" + wide, true)},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const auto path = folder.write("install.ini", c.bytes);
        EXPECT_EQ(describe(platform::listProfileLines(path.string())),
                  "[Option]2 A3;[Two]6 B7;[Three]10 D11;")
            << c.name;
    }
    EXPECT_TRUE(platform::listProfileLines((folder / "missing.ini").string()).empty());
}

} // namespace
