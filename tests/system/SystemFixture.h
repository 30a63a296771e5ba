#pragma once
// A machine of our own in a temporary folder: drive c: (user files), drive d: (the medium with
// the setup program), the registry hives and the desktop's applications folder.
#include "platform/Registry.h"
#include "script/SetupScript.h"
#include "session/SetupSession.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

class SystemFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The native path of a file or folder on drive c: or d: ("c/Games/Demo").
    std::filesystem::path native(const std::string& relative) const { return temp / relative; }
    // The medium's install.ini with an "Option" section and the given language section body.
    SetupScript writeScript(const std::string& languageBody,
                            const std::string& language = "English");
    // A session as start-up fills it for product "Demo" of maker "Tervalis".
    SetupSession session(const std::string& language = "English") const;

    // A registry value, or "<missing>".
    static std::string registryValue(platform::RegistryHive hive, const std::string& key,
                                     const std::string& name);
    static void storeProgramsFolder(const std::string& folder);

    TempFolder temp;
};
