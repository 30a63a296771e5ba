#include "platform/Registry.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <chrono>
#include <sys/stat.h>

using platform::RegistryHive;
using platform::RegistryKey;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SETUP_REGISTRY_DIR", (temp / "registry").c_str(), 1);
        setenv("XDG_DATA_HOME", (temp / "data").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("SETUP_REGISTRY_DIR");
        unsetenv("XDG_DATA_HOME");
    }
    std::string hiveText(const char* name) const { return readWholeFile(temp / "registry" / name); }

    TempFolder temp;
};

bool writeValue(RegistryHive hive, const std::string& key, const std::string& name,
                const std::string& value) {
    RegistryKey opened;
    return opened.create(hive, key) && opened.setString(name, value);
}

std::string readValue(RegistryHive hive, const std::string& key, const std::string& name,
                      std::size_t buffer = 200) {
    RegistryKey opened;
    std::string value = "<unchanged>";
    if (opened.open(hive, key))
        opened.queryString(name, value, buffer);
    return value;
}

} // namespace

TEST_F(RegistryTest, EachHiveIsItsOwnRegedit4File) {
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "Software\\Maker\\Demo_en", "Lang", "en"));
    ASSERT_TRUE(writeValue(RegistryHive::LocalMachine, "Software\\Uninstall\\Demo_en",
                           "UninstallString", "C:\\Games\\Demo\\remove.exe"));
    EXPECT_EQ(hiveText("current-user.reg"),
              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Maker]\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Maker\\Demo_en]\r\n\"Lang\"=\"en\"\r\n\r\n");
    EXPECT_NE(hiveText("local-machine.reg")
                  .find("[HKEY_LOCAL_MACHINE\\Software\\Uninstall\\Demo_en]\r\n"
                        "\"UninstallString\"=\"C:\\\\Games\\\\Demo\\\\remove.exe\"\r\n"),
              std::string::npos);
    EXPECT_EQ(
        readValue(RegistryHive::LocalMachine, "software\\uninstall\\DEMO_EN", "uninstallstring"),
        "C:\\Games\\Demo\\remove.exe");
    EXPECT_EQ(
        readValue(RegistryHive::CurrentUser, "Software\\Uninstall\\Demo_en", "UninstallString"),
        "<unchanged>");
}

TEST_F(RegistryTest, OpenFailsOnMissingKeysAndCreateMakesThem) {
    RegistryKey key;
    EXPECT_FALSE(key.open(RegistryHive::CurrentUser, "Software\\Nothing"));
    EXPECT_FALSE(key.setString("V", "x"));
    ASSERT_TRUE(key.create(RegistryHive::CurrentUser, "Software\\Nothing\\Deeper"));
    EXPECT_TRUE(key.open(RegistryHive::CurrentUser, "Software\\Nothing"));
    EXPECT_FALSE(std::filesystem::exists(temp / "registry" / "local-machine.reg"));
}

TEST_F(RegistryTest, AStoredStringEndsAtItsFirstZeroByte) {
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "V", std::string("ab\0cd", 5)));
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, "K", "V"), "ab");
}

TEST_F(RegistryTest, DeleteRemovesOnlyThatValue) {
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "A", "1"));
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "B", "2"));
    RegistryKey key;
    ASSERT_TRUE(key.open(RegistryHive::CurrentUser, "k"));
    EXPECT_TRUE(key.deleteValue("a"));
    EXPECT_FALSE(key.deleteValue("A"));
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, "K", "A"), "<unchanged>");
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, "K", "B"), "2");
}

TEST_F(RegistryTest, ProgramsAnswersTheApplicationsFolderUntilStored) {
    const std::string applications =
        platform::toDrivePath((temp / "data" / "applications").string());
    ASSERT_FALSE(applications.empty());
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, kShellFolders, "Programs"), applications);
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, kShellFolders, "Favorites"), "<unchanged>");
    EXPECT_EQ(readValue(RegistryHive::LocalMachine, kShellFolders, "Programs"), "<unchanged>");
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, kShellFolders, "programs", "C:\\Menu"));
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, kShellFolders, "Programs"), "C:\\Menu");
}

TEST_F(RegistryTest, ALongApplicationsFolderCannotBeRead) {
    setenv("XDG_DATA_HOME", (temp / std::string(200, 'd')).c_str(), 1);
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, kShellFolders, "Programs"), "<unchanged>");
}

TEST_F(RegistryTest, AFileThatIsNoHiveIsNeitherReadNorOverwritten) {
    const auto hive =
        temp.write("registry/current-user.reg", "not a registry file\n[K]\n\"V\"=\"1\"\n");
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, "K", "V"), "<unchanged>");
    EXPECT_FALSE(writeValue(RegistryHive::CurrentUser, "K", "V", "2"));
    EXPECT_EQ(readWholeFile(hive), "not a registry file\n[K]\n\"V\"=\"1\"\n");

    // A pipe in a hive's place is neither waited on nor replaced.
    const auto pipe = temp / "registry" / "local-machine.reg";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readValue(RegistryHive::LocalMachine, "K", "V"), "<unchanged>");
    EXPECT_FALSE(writeValue(RegistryHive::LocalMachine, "K", "V", "2"));
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

TEST_F(RegistryTest, HiveFolderIsMadeWhenMissingAndLeavesNoTemporaryFiles) {
    setenv("SETUP_REGISTRY_DIR", (temp / "a" / "b" / "registry").c_str(), 1);
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "V", "1"));
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "V", "2"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(temp / "a" / "b" / "registry"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"current-user.reg", "current-user.reg.lock"}));
}

TEST_F(RegistryTest, WithoutOverridesTheFreedesktopFoldersOfTheHomeAreUsed) {
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    unsetenv("SETUP_REGISTRY_DIR");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", (temp / "home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "V", "1"));
    EXPECT_TRUE(std::filesystem::exists(temp / "home/.config/cd-setup/registry/current-user.reg"));
    EXPECT_EQ(readValue(RegistryHive::CurrentUser, kShellFolders, "Programs"),
              platform::toDrivePath((temp / "home/.local/share/applications").string()));
    setenv("XDG_CONFIG_HOME", (temp / "config").c_str(), 1);
    ASSERT_TRUE(writeValue(RegistryHive::LocalMachine, "K", "V", "1"));
    EXPECT_TRUE(std::filesystem::exists(temp / "config/cd-setup/registry/local-machine.reg"));
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
}

// The hive is parsed once and reused while its file is the one read; every way the file can
// change behind it must still be seen by the next read and the next write.
TEST_F(RegistryTest, AHiveChangedByAnotherProgramIsSeenByTheNextReadAndWrite) {
    enum class Change {
        NewFileSameSizeAndTime,
        SameFileSameSizeNewTime,
        SameFileOtherSizeSameTime,
        SameFileSameSizeSameTime, // the modification time put back: only the change time tells
    };
    const std::filesystem::path hive = temp / "registry" / "current-user.reg";
    for (const Change change : {Change::NewFileSameSizeAndTime, Change::SameFileSameSizeNewTime,
                                Change::SameFileOtherSizeSameTime, Change::SameFileSameSizeSameTime}) {
        SCOPED_TRACE(static_cast<int>(change));
        ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "V", "1"));
        ASSERT_EQ(readValue(RegistryHive::CurrentUser, "K", "V"), "1");
        struct stat before;
        ASSERT_EQ(stat(hive.c_str(), &before), 0);
        std::string text = hiveText("current-user.reg");
        const auto at = text.find("\"V\"=\"1\"");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, 7,
                     change == Change::SameFileOtherSizeSameTime ? "\"V\"=\"22\"" : "\"V\"=\"2\"");
        // Another program writes later than this one: past the change time's clock tick.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (change == Change::NewFileSameSizeAndTime) {
            temp.write("registry/other.reg", text);
            std::filesystem::rename(temp / "registry/other.reg", hive);
        } else {
            std::ofstream(hive, std::ios::binary | std::ios::trunc) << text;
        }
        timespec times[2] = {before.st_atim, before.st_mtim};
        if (change == Change::SameFileSameSizeNewTime)
            times[1].tv_sec += 1;
        ASSERT_EQ(utimensat(AT_FDCWD, hive.c_str(), times, 0), 0);
        EXPECT_EQ(readValue(RegistryHive::CurrentUser, "K", "V"),
                  change == Change::SameFileOtherSizeSameTime ? "22" : "2");
        ASSERT_TRUE(writeValue(RegistryHive::CurrentUser, "K", "W", "w"));
        EXPECT_NE(hiveText("current-user.reg").find("\"V\"=\"2"), std::string::npos);
    }
}
