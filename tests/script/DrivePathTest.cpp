#include "paths/DrivePath.h"

#include <gtest/gtest.h>

TEST(DrivePath, fullPathsNameTheirDrive) {
    EXPECT_TRUE(isFullDrivePath("C:\\"));
    EXPECT_TRUE(isFullDrivePath("d:\\Games"));
    for (const char* text : {"", "C:", "C:Games", "Games\\MH", "\\Games", "1:\\Games", "/home"})
        EXPECT_FALSE(isFullDrivePath(text)) << text;
    // A root however it is typed, once tidied; a folder on the drive is none.
    for (const char* root : {"C:\\", "d:\\", "C:\\.", "C:\\Games\\..", "C:\\\\", "C:\\. \\"})
        EXPECT_TRUE(isDriveRoot(tidyDrivePath(root))) << root;
    for (const char* folder : {"C:\\Games", "C:\\..\\x", "C:", "\\\\server\\share\\"})
        EXPECT_FALSE(isDriveRoot(tidyDrivePath(folder))) << folder;
}

TEST(DrivePath, dotsAndEmptyComponentsAreTidiedWithinTheDrive) {
    const struct {
        const char* typed;
        const char* tidy;
    } cases[] = {
        {"C:\\Games\\Moonrise Harbour", "C:\\Games\\Moonrise Harbour"},
        {"C:\\..\\escaped-install", "C:\\escaped-install"},
        {"C:\\Games\\..\\..\\..\\x", "C:\\x"},
        {"C:\\Games\\.\\MH\\", "C:\\Games\\MH"},
        {"C:\\Games\\\\MH", "C:\\Games\\MH"},
        {"C:\\Games\\MH\\..", "C:\\Games"},
        {"C:\\..", "C:\\"},
        // Windows makes "X" for "X. ", then finds nothing through "X. \\file".
        {"C:\\Games\\X. ", "C:\\Games\\X"},
        {"C:\\Games. \\X..\\", "C:\\Games\\X"},
        {"C:\\Games\\ . \\X", "C:\\Games\\X"},
        {"C:\\Games\\...", "C:\\Games"},
        {"C:\\ Games", "C:\\ Games"},     // leading blanks are part of a name
        {"Games\\..\\x", "Games\\..\\x"}, // not a drive path: left as typed
    };
    for (const auto& c : cases)
        EXPECT_EQ(tidyDrivePath(c.typed), c.tidy) << c.typed;
}

// The first refused component of a path, and why; reservedDeviceComponent finds the device
// names alone.
TEST(DrivePath, namesThatWindowsRefusesAreFoundWhereverTheyStand) {
    constexpr NameRefusal device = NameRefusal::DeviceName;
    constexpr NameRefusal character = NameRefusal::ForbiddenCharacter;
    const struct {
        const char* path;
        const char* refused;
        NameRefusal why;
    } cases[] = {
        {"C:\\Games\\NUL", "NUL", device},
        {"C:\\con\\Games", "con", device},
        {"C:\\Games\\Aux.txt", "Aux.txt", device},
        {"C:\\Games\\COM9", "COM9", device},
        {"C:\\Games\\lpt1 .log", "lpt1 .log", device},
        {"data\\prn", "prn", device},
        {"aux\\a*b", "aux", device},
        {"data\\a*b.dat", "a*b.dat", character},
        {"data\\a?b", "a?b", character},
        {"say \"hi\"\\x", "say \"hi\"", character},
        {"a<b", "a<b", character},
        {"a>b", "a>b", character},
        {"data/a|b", "a|b", character},
        {"tab\there", "tab\there", character},
        // Names that would show otherwise than they are: direction marks and C1 controls.
        {"C:\\Games\\exe.\xE2\x80\xAEtxt", "exe.\xE2\x80\xAEtxt", NameRefusal::UnsafeCharacter},
        {"C:\\a\xE2\x80\x8F\\b", "a\xE2\x80\x8F", NameRefusal::UnsafeCharacter},
        {"C:\\x\xE2\x81\xA6y", "x\xE2\x81\xA6y", NameRefusal::UnsafeCharacter},
        {"C:\\next\xC2\x85line", "next\xC2\x85line", NameRefusal::UnsafeCharacter},
        {"C:\\del\x7F", "del\x7F", NameRefusal::UnsafeCharacter},
        {"C:\\Gry\\Żółw \xE2\x80\x94 wyspa", "", NameRefusal::None}, // a dash is no mark
        {"C:\\Games\\NULL", "", NameRefusal::None},
        {"C:\\Games\\COM0", "", NameRefusal::None},
        {"C:\\Games\\CONSOLE", "", NameRefusal::None},
        {"C:\\Games\\my nul", "", NameRefusal::None},
        {"C:\\Games\\x #1 (a+b) & c.txt", "", NameRefusal::None},
        {"C:\\", "", NameRefusal::None},
    };
    for (const auto& c : cases) {
        const RefusedComponent refused = refusedComponent(c.path);
        EXPECT_EQ(refused.name, c.refused) << c.path;
        EXPECT_EQ(refused.why, c.why) << c.path;
        EXPECT_EQ(reservedDeviceComponent(c.path), c.why == device ? c.refused : "") << c.path;
        EXPECT_EQ(*describeNameRefusal(c.why) == '\0', c.why == NameRefusal::None) << c.path;
    }
}
