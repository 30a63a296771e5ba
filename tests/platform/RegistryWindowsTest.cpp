// The registry on Windows: what the layer stores is read back with the system's own calls.
#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

using platform::RegistryHive;
using platform::RegistryKey;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A key of the test's own under Software in both hives, removed at the end.
class RegistryWindowsTest : public testing::Test {
protected:
    void TearDown() override {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            HKEY software = nullptr;
            if (RegOpenKeyExW(root, L"Software", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &software) ==
                ERROR_SUCCESS) {
                RegDeleteTreeW(software, kWideKey.c_str());
                RegCloseKey(software);
            }
        }
    }

    // The value as the system reads it from the 32-bit view, or "<missing>".
    static std::wstring systemValue(HKEY root, const std::wstring& key, const wchar_t* name) {
        wchar_t text[512] = {};
        DWORD bytes = sizeof text;
        const LONG result = RegGetValueW(root, key.c_str(), name,
                                         RRF_RT_REG_SZ | RRF_SUBKEY_WOW6432KEY, nullptr, text, &bytes);
        return result == ERROR_SUCCESS ? std::wstring(text) : L"<missing>";
    }

    const std::string key = "Software\\SetupTest" + std::to_string(GetCurrentProcessId());
    const std::wstring kWideKey = L"SetupTest" + std::to_wstring(GetCurrentProcessId());
    const std::wstring wideKey = L"Software\\" + kWideKey;
};

std::string readValue(RegistryHive hive, const std::string& key, const std::string& name,
                      std::size_t buffer = 200) {
    RegistryKey opened;
    std::string value = "<unchanged>";
    if (opened.open(hive, key))
        opened.queryString(name, value, buffer);
    return value;
}

} // namespace

TEST_F(RegistryWindowsTest, ValuesAreRealStringsInThe32BitViewOfEachHive) {
    RegistryKey user, machine;
    ASSERT_TRUE(user.create(RegistryHive::CurrentUser, key + "\\Demo_pl"));
    ASSERT_TRUE(user.setString("Lang", "Zaż\xC3\xB3\xC5\x82\xC4\x87"));
    ASSERT_TRUE(machine.create(RegistryHive::LocalMachine, key + "\\Uninstall\\Demo_pl"));
    ASSERT_TRUE(machine.setString("UninstallString", "C:\\Games\\Demo\\remove.exe"));
    ASSERT_TRUE(machine.setString("", "default"));

    EXPECT_EQ(systemValue(HKEY_CURRENT_USER, wideKey + L"\\Demo_pl", L"Lang"),
              L"Za\u017C\u00F3\u0142\u0107");
    EXPECT_EQ(systemValue(HKEY_LOCAL_MACHINE, wideKey + L"\\Uninstall\\Demo_pl", L"UninstallString"),
              L"C:\\Games\\Demo\\remove.exe");
    EXPECT_EQ(systemValue(HKEY_LOCAL_MACHINE, wideKey + L"\\Uninstall\\Demo_pl", L""), L"default");
    EXPECT_EQ(systemValue(HKEY_CURRENT_USER, wideKey + L"\\Uninstall\\Demo_pl", L"UninstallString"),
              L"<missing>");
    EXPECT_EQ(readValue(RegistryHive::LocalMachine, key + "\\UNINSTALL\\demo_PL", "uninstallstring"),
              "C:\\Games\\Demo\\remove.exe");
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, key + "\\Demo_pl", "Lang"),
              "Zaż\xC3\xB3\xC5\x82\xC4\x87");
}

TEST_F(RegistryWindowsTest, OpenQueryAndDeleteFollowTheSystem) {
    RegistryKey opened;
    EXPECT_FALSE(opened.open(RegistryHive::CurrentUser, key + "\\Nothing"));
    EXPECT_FALSE(opened.setString("V", "x"));
    ASSERT_TRUE(opened.create(RegistryHive::CurrentUser, key + "\\Nothing\\Deeper"));
    ASSERT_TRUE(opened.setString("Cut", std::string("ab\0cd", 5)));
    ASSERT_TRUE(opened.setString("Five", "12345"));
    ASSERT_TRUE(opened.setString("Gone", "1"));
    EXPECT_EQ(systemValue(HKEY_CURRENT_USER, wideKey + L"\\Nothing\\Deeper", L"Cut"), L"ab");
    // The buffer holds the text and its terminator, or nothing is read.
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, key + "\\Nothing\\Deeper", "Five", 5),
              "<unchanged>");
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, key + "\\Nothing\\Deeper", "Five", 6), "12345");
    EXPECT_TRUE(opened.deleteValue("GONE"));
    EXPECT_FALSE(opened.deleteValue("Gone"));
    EXPECT_EQ(systemValue(HKEY_CURRENT_USER, wideKey + L"\\Nothing\\Deeper", L"Gone"),
              L"<missing>");
    EXPECT_TRUE(opened.open(RegistryHive::CurrentUser, key + "\\Nothing"));
}

TEST_F(RegistryWindowsTest, ProgramsIsTheShellFoldersValueOfTheSystem) {
    const std::wstring expected = systemValue(
        HKEY_CURRENT_USER,
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Programs");
    ASSERT_NE(expected, L"<missing>") << "the system keeps the programs folder";
    const std::string programs = readValue(RegistryHive::CurrentUser, kShellFolders, "Programs", 260);
    const int length = MultiByteToWideChar(CP_UTF8, 0, programs.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length - 1 : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, programs.c_str(), -1, wide.data(), length);
    EXPECT_EQ(wide, expected);
}
