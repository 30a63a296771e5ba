#include "system/Registration.h"
#include "system/RegistryStrings.h"
#include "system/SystemFixture.h"

using platform::RegistryHive;

namespace {

class RegistryRecordsTest : public SystemFixture {};

constexpr auto kUser = RegistryHive::CurrentUser;

} // namespace

TEST_F(RegistryRecordsTest, ReadingLeavesTheOutputAloneWhenTheValueCannotBeRead) {
    ASSERT_TRUE(writeRegistryString(kUser, "Software\\T", "Short", std::string(199, 's')));
    ASSERT_TRUE(writeRegistryString(kUser, "Software\\T", "Long", std::string(200, 'l')));
    struct Case {
        const char* key;
        const char* name;
        bool readable;
    };
    for (const Case& c :
         {Case{"Software\\T", "Short", true}, Case{"Software\\T", "Long", false},
          Case{"Software\\T", "Missing", false}, Case{"Software\\None", "Short", false}}) {
        std::string output = "before";
        EXPECT_EQ(readRegistryString(kUser, c.key, c.name, output), c.readable) << c.name;
        EXPECT_EQ(output, c.readable ? std::string(199, 's') : "before") << c.name;
    }
}

TEST_F(RegistryRecordsTest, ReplacingWritesNewAndOverLongValuesAlike) {
    replaceRegistryString(kUser, "Software\\T", "V", "first");
    EXPECT_EQ(registryValue(kUser, "Software\\T", "V"), "first");
    replaceRegistryString(kUser, "Software\\T", "V", std::string(250, 'x'));
    replaceRegistryString(kUser, "Software\\T", "V", "second");
    EXPECT_EQ(registryValue(kUser, "Software\\T", "V"), "second");
}

TEST_F(RegistryRecordsTest, SuccessAndFailureRecordsHoldTheirOwnValues) {
    const SetupSession done = session();
    EXPECT_TRUE(recordInstallation(done, "English"));
    EXPECT_EQ(registryValue(kUser, done.registryKey, "ProgramPath"), "C:\\Games\\Demo");
    EXPECT_EQ(registryValue(kUser, done.registryKey, "Lang"), "English");
    EXPECT_EQ(registryValue(kUser, done.registryKey, "Program"), "<missing>");

    const SetupSession failed = session("Polski");
    EXPECT_TRUE(recordProgramFolder(failed, "C:\\Gry\\Demo", "Polski"));
    EXPECT_EQ(registryValue(kUser, failed.registryKey, "Program"), "C:\\Gry\\Demo");
    EXPECT_EQ(registryValue(kUser, failed.registryKey, "Lang"), "Polski");
    EXPECT_EQ(registryValue(kUser, failed.registryKey, "ProgramPath"), "<missing>");
    // Two languages: two sibling keys differing only after the underscore.
    EXPECT_EQ(registryValue(kUser, "Software\\Tervalis\\Demo_English", "Lang"), "English");
}

TEST_F(RegistryRecordsTest, ASecondInstallationOverwritesTheRecord) {
    SetupSession again = session();
    EXPECT_TRUE(recordInstallation(again, "English"));
    again.targetFolder = "D:\\Elsewhere";
    EXPECT_TRUE(recordInstallation(again, "english"));
    EXPECT_EQ(registryValue(kUser, again.registryKey, "ProgramPath"), "D:\\Elsewhere");
    EXPECT_EQ(registryValue(kUser, again.registryKey, "Lang"), "english");
}

TEST_F(RegistryRecordsTest, RecordsReportSuccessEvenWhenTheHiveCannotBeWritten) {
    if (kTestsRunOnWindows)
        GTEST_SKIP() << "Wine enforces no permissions on registry keys, so no registry that "
                        "refuses a write can be presented";
    temp.write("registry/current-user.reg", "this is no hive\n");
    EXPECT_TRUE(recordInstallation(session(), "English"));
    EXPECT_TRUE(recordProgramFolder(session(), "C:\\X", "English"));
    EXPECT_EQ(readWholeFile(temp / "registry" / "current-user.reg"), "this is no hive\n");
}
