// Which media make the Linux build install into a Wine prefix: those whose script names a Windows
// program on the medium as a shortcut's target, in any language, its name in any letter case.
// Other Windows programs on the medium (a DirectX set-up, an uninstaller named by no shortcut)
// and native programs of the same name leave the Linux mapping in place.
#include "platform/posix/wine/WinePrefix.h"
#include "support/TempFolder.h"
#include "support/WindowsProgramBytes.h"

#include <gtest/gtest.h>

namespace {

struct MediumCase {
    const char* name;
    const char* script;
    bool windowsProduct;
};

// The medium holds the Windows programs Game\Harbour.exe and directx\dxsetup.exe and the shell
// script run.exe.
const MediumCase kMedia[] = {
    {"shortcut to a Windows program", "[English]\nShortcuts=1\nFile0=Game\\Harbour.exe\n", true},
    {"named in another letter case", "[English]\nFile0=game\\HARBOUR.EXE\n", true},
    {"only in the second language", "[English]\nFile0=run.exe\n[Polski]\nFile0=Game\\Harbour.exe\n",
     true},
    {"a later row of the table",
     "[English]\nFile0=readme.txt\nFile1=run.exe\nFile2=Game/Harbour.exe\n", true},
    {"shortcut to a script", "[English]\nFile0=run.exe\n", false},
    {"a Windows program named by no shortcut",
     "[English]\nIDS_DXINSTALL_PATH=X:\\directx\\dxsetup.exe\n"
     "Exe0=directx\\dxsetup.exe\n",
     false},
    {"a key that only starts like a row", "[English]\nFileName=Game\\Harbour.exe\n", false},
    {"a target missing from the medium", "[English]\nFile0=Game\\Missing.exe\n", false},
    {"a target outside the medium", "[English]\nFile0=..\\outside\\Harbour.exe\n", false},
};

TEST(WinePrefix, AMediumMakesTheMachineAWinePrefixOnlyWhenAShortcutStartsAWindowsProgram) {
    for (const MediumCase& medium : kMedia) {
        const TempFolder temp;
        temp.write("medium/Game/Harbour.exe", windowsProgramBytes());
        temp.write("medium/directx/dxsetup.exe", windowsProgramBytes());
        temp.write("medium/run.exe", "#!/bin/sh\n");
        temp.write("outside/Harbour.exe", windowsProgramBytes());
        temp.write("medium/install.ini", medium.script);
        EXPECT_EQ(platform::posix::holdsWindowsProduct((temp / "medium").string()),
                  medium.windowsProduct)
            << medium.name;
    }
}

TEST(WinePrefix, AFolderWithoutAScriptIsNoWindowsProductsMedium) {
    const TempFolder temp;
    temp.write("Harbour.exe", windowsProgramBytes());
    EXPECT_FALSE(platform::posix::holdsWindowsProduct(temp.path().string()));
    EXPECT_FALSE(platform::posix::holdsWindowsProduct(""));
}

// The test programs sit beside no setup script: with Wine installed and no drive table given,
// they still see the Linux mapping, and nothing of theirs touches a Wine prefix.
TEST(WinePrefix, AProgramBesideNoMediumWorksOnNoPrefix) {
    EXPECT_EQ(platform::posix::winePrefix(), "");
}

} // namespace
