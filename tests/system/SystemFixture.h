#pragma once
// A machine of our own: drive c: (user files; on Windows the system drive), drive d: (the medium
// with the setup program, a CD-ROM drive in a temporary folder), the registry and the desktop's
// applications folder.
#include "platform/Registry.h"
#include "script/SetupScript.h"
#include "session/SetupSession.h"
#include "support/TempFolder.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <optional>

class SystemFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The native path of a file or folder on drive c: or d: ("c/Games/Demo").
    std::filesystem::path native(const std::string& relative) const;
    // Writes a file on drive c: or d: ("d/readme.txt").
    std::filesystem::path writeNative(const std::string& relative, const std::string& bytes) const;
    // The medium's install.ini with an "Option" section and the given language section body.
    SetupScript writeScript(const std::string& languageBody,
                            const std::string& language = "English");
    // A session as start-up fills it for product "Demo" of maker "Tervalis".
    SetupSession session(const std::string& language = "English") const;
    // The programs folder the program group goes into, as the system gives it to the program.
    std::filesystem::path programsFolder() const;

    // A registry value, or "<missing>".
    static std::string registryValue(platform::RegistryHive hive, const std::string& key,
                                     const std::string& name);
    static void storeProgramsFolder(const std::string& folder);

    SystemFolderGuard systemFolders;
    TempFolder temp;

private:
    std::optional<TestRegistry> registry;
    std::optional<TestMachine> machine;
    std::optional<std::string> savedWindowsFolder;
};
