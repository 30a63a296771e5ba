#include "platform/posix/machine/RegistryHiveFile.h"

#include <gtest/gtest.h>

using platform::posix::RegistryHiveFile;

namespace {

RegistryHiveFile parsed(const std::string& text) {
    RegistryHiveFile file("HKEY_CURRENT_USER");
    file.parse(text);
    return file;
}

} // namespace

TEST(RegistryHiveFileTest, WritesRegedit4TextWithEveryLevelAndEscapes) {
    RegistryHiveFile file("HKEY_CURRENT_USER");
    ASSERT_TRUE(file.setString("Software\\Maker\\Demo_Polski", "ProgramPath", "C:\\Gry\\\"Demo\""));
    ASSERT_TRUE(file.setString("Software\\Maker\\Demo_Polski", "", "default"));
    EXPECT_EQ(file.text(), "REGEDIT4\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software]\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Maker]\r\n\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Maker\\Demo_Polski]\r\n"
                           "\"ProgramPath\"=\"C:\\\\Gry\\\\\\\"Demo\\\"\"\r\n"
                           "@=\"default\"\r\n\r\n");
}

TEST(RegistryHiveFileTest, TextRoundTripsEveryAwkwardValue) {
    const std::vector<std::string> values = {"",           "C:\\",      "a\\\\b", "\"quoted\"",
                                             "line\nnext", "cr\rlf\n",  "ends\\", "zażółć",
                                             "=[x]=",      "tab\there", "\\\"\\n"};
    RegistryHiveFile file("HKEY_CURRENT_USER");
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_TRUE(file.setString("K", "v" + std::to_string(i), values[i]));
    const RegistryHiveFile again = parsed(file.text());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.stringValue("K", "v" + std::to_string(i)), values[i]) << i;
    EXPECT_EQ(again.text(), file.text());
}

TEST(RegistryHiveFileTest, NamesMatchWithoutRegardToCase) {
    RegistryHiveFile file =
        parsed("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Maker]\n\"Lang\"=\"en\"\n");
    EXPECT_EQ(file.stringValue("SOFTWARE\\maker", "LANG"), "en");
    ASSERT_TRUE(file.setString("software\\MAKER", "lang", "pl"));
    EXPECT_EQ(file.text(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Maker]\r\n"
                           "\"Lang\"=\"pl\"\r\n\r\n");
}

TEST(RegistryHiveFileTest, KeysExistThroughTheirDescendantsAndEmptyLevelsAreIgnored) {
    RegistryHiveFile file = parsed("REGEDIT4\n\n[HKEY_CURRENT_USER\\A\\B\\C]\n");
    EXPECT_TRUE(file.hasKey("A"));
    EXPECT_TRUE(file.hasKey("a\\b"));
    EXPECT_TRUE(file.hasKey("\\A\\\\B\\C\\"));
    EXPECT_FALSE(file.hasKey("A\\B\\C\\D"));
    EXPECT_FALSE(file.hasKey("A\\BC"));
    EXPECT_FALSE(file.hasKey("B"));
}

TEST(RegistryHiveFileTest, ReadsWhatTheRegistryEditorWrites) {
    // CRLF, a byte order mark, comments, other value types spanning lines, removal markers,
    // a repeated key and a later value of the same name.
    RegistryHiveFile file = parsed("\xEF\xBB\xBFREGEDIT4\r\n\r\n"
                                   "; exported\r\n"
                                   "[HKEY_CURRENT_USER\\K]\r\n"
                                   "\"Count\"=dword:00000003\r\n"
                                   "\"Blob\"=hex:01,02,\\\r\n"
                                   "  03,04\r\n"
                                   "\"Gone\"=\"x\"\r\n"
                                   "\"Gone\"=-\r\n"
                                   "\"Name\"=\"first\"\r\n"
                                   "[-HKEY_CURRENT_USER\\Removed]\r\n"
                                   "\"Lost\"=\"y\"\r\n"
                                   "[HKEY_CURRENT_USER\\k]\r\n"
                                   "\"name\"=\"second\"\r\n"
                                   "not a value line\r\n");
    EXPECT_EQ(file.stringValue("K", "Name"), "second");
    EXPECT_FALSE(file.stringValue("K", "Count"));
    EXPECT_TRUE(file.hasValue("K", "Count"));
    EXPECT_FALSE(file.hasValue("K", "Gone"));
    EXPECT_FALSE(file.hasKey("Removed"));
    EXPECT_EQ(file.text(), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
                           "\"Count\"=dword:00000003\r\n"
                           "\"Blob\"=hex:01,02,03,04\r\n"
                           "\"Name\"=\"second\"\r\n\r\n");
}

TEST(RegistryHiveFileTest, OtherRootsAreKeptButUnreachable) {
    RegistryHiveFile file = parsed("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"V\"=\"m\"\n");
    EXPECT_FALSE(file.hasKey("K"));
    EXPECT_FALSE(file.stringValue("K", "V"));
    EXPECT_NE(file.text().find("[HKEY_LOCAL_MACHINE\\K]\r\n\"V\"=\"m\""), std::string::npos);
}

TEST(RegistryHiveFileTest, RefusesKeyNamesThatWouldBreakTheFile) {
    RegistryHiveFile file("HKEY_CURRENT_USER");
    EXPECT_FALSE(file.createKey("A\nB"));
    EXPECT_FALSE(file.setString("A]\r\n[B", "v", "x"));
    EXPECT_FALSE(file.hasKey("A"));
    EXPECT_EQ(file.text(), "REGEDIT4\r\n\r\n");
}

TEST(RegistryHiveFileTest, DeletesOnlyExistingValues) {
    RegistryHiveFile file = parsed("REGEDIT4\n\n[HKEY_CURRENT_USER\\K]\n\"V\"=\"1\"\n");
    EXPECT_FALSE(file.deleteValue("Missing", "V"));
    EXPECT_FALSE(file.deleteValue("K", "W"));
    EXPECT_TRUE(file.deleteValue("K", "v"));
    EXPECT_TRUE(file.hasKey("K"));
    EXPECT_FALSE(file.hasValue("K", "V"));
}

TEST(RegistryHiveFileTest, ManyKeysKeepTheirOrderAndAreFoundByAnySpelling) {
    std::string text = "REGEDIT4\r\n\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "[HKEY_CURRENT_USER\\Maker" + std::to_string(i % 30) + "\\Product" +
                std::to_string(i) + "]\r\n\"Path\"=\"P" + std::to_string(i) + "\"\r\n\r\n";
    RegistryHiveFile file = parsed(text);
    EXPECT_EQ(file.text(), text);
    EXPECT_TRUE(file.hasKey("MAKER7"));
    EXPECT_TRUE(file.hasKey("maker7\\PRODUCT2977"));
    EXPECT_FALSE(file.hasKey("Maker7\\Product2978"));
    EXPECT_EQ(file.stringValue("mAKER29\\pRODUCT2999", "pATH"), "P2999");

    // A value removed and set again moves to the end of its key, as the file would list it.
    ASSERT_TRUE(file.setString("Maker0\\Product0", "Extra", "e"));
    ASSERT_TRUE(file.deleteValue("MAKER0\\product0", "PATH"));
    EXPECT_FALSE(file.hasValue("Maker0\\Product0", "Path"));
    ASSERT_TRUE(file.setString("Maker0\\Product0", "path", "again"));
    ASSERT_TRUE(file.setString("maker2999\\New", "V", "n"));
    const std::string changed = file.text();
    EXPECT_EQ(changed.substr(0, changed.find("[HKEY_CURRENT_USER\\Maker1\\")),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Maker0\\Product0]\r\n\"Extra\"=\"e\"\r\n"
              "\"path\"=\"again\"\r\n\r\n");
    EXPECT_TRUE(changed.ends_with("[HKEY_CURRENT_USER\\maker2999]\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\maker2999\\New]\r\n\"V\"=\"n\"\r\n\r\n"));
    EXPECT_EQ(parsed(changed).text(), changed);
}

// A key goes only when it holds nothing; the keys and values around it keep working after it.
TEST(RegistryHiveFileTest, RemovesOnlyEmptyKeysAndKeepsTheOthersWhole) {
    RegistryHiveFile file = parsed("REGEDIT4\n\n"
                                   "[HKEY_CURRENT_USER\\Software]\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Maker]\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Maker\\Demo]\n\"Lang\"=\"en\"\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Maker\\Empty]\n\n"
                                   "[HKEY_CURRENT_USER\\Software\\Other]\n\"Path\"=\"C:\\\\x\"\n");
    const struct {
        const char* key;
        bool removed;
    } cases[] = {
        {"Software\\Maker\\Demo", false}, // holds a value
        {"Software\\Maker", false},       // holds keys
        {"software\\maker\\EMPTY", true},
        {"Software\\Maker\\Empty", false}, // gone already
        {"Software\\Missing", false},
    };
    for (const auto& each : cases)
        EXPECT_EQ(file.deleteEmptyKey(each.key), each.removed) << each.key;
    EXPECT_FALSE(file.hasKey("Software\\Maker\\Empty"));
    EXPECT_EQ(file.stringValue("Software\\Other", "Path"), "C:\\x");
    ASSERT_TRUE(file.deleteValue("Software\\Maker\\Demo", "Lang"));
    EXPECT_TRUE(file.deleteEmptyKey("Software\\Maker\\Demo"));
    EXPECT_TRUE(file.deleteEmptyKey("Software\\Maker"));
    ASSERT_TRUE(file.setString("Software\\Other", "Later", "set after the removals"));
    const RegistryHiveFile again = parsed(file.text());
    EXPECT_FALSE(again.hasKey("Software\\Maker"));
    EXPECT_EQ(again.stringValue("Software\\Other", "Path"), "C:\\x");
    EXPECT_EQ(again.stringValue("Software\\Other", "Later"), "set after the removals");
}
