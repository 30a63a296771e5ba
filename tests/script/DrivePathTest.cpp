#include "script/DrivePath.h"

#include <gtest/gtest.h>

TEST(DrivePath, fullPathsNameTheirDrive) {
    EXPECT_TRUE(isFullDrivePath("C:\\"));
    EXPECT_TRUE(isFullDrivePath("d:\\Games"));
    for (const char* text : {"", "C:", "C:Games", "Games\\MH", "\\Games", "1:\\Games", "/home"})
        EXPECT_FALSE(isFullDrivePath(text)) << text;
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
        {"C:\\ Games", "C:\\ Games"}, // leading blanks are part of a name
        {"Games\\..\\x", "Games\\..\\x"}, // not a drive path: left as typed
    };
    for (const auto& c : cases)
        EXPECT_EQ(tidyDrivePath(c.typed), c.tidy) << c.typed;
}

TEST(DrivePath, namesThatWindowsKeepsForDevicesAreFoundWhereverTheyStand) {
    const struct {
        const char* path;
        const char* device;
    } cases[] = {
        {"C:\\Games\\NUL", "NUL"},
        {"C:\\con\\Games", "con"},
        {"C:\\Games\\Aux.txt", "Aux.txt"},
        {"C:\\Games\\COM9", "COM9"},
        {"C:\\Games\\lpt1 .log", "lpt1 .log"},
        {"data\\prn", "prn"},
        {"C:\\Games\\NULL", ""},
        {"C:\\Games\\COM0", ""},
        {"C:\\Games\\CONSOLE", ""},
        {"C:\\Games\\my nul", ""},
        {"C:\\", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reservedDeviceComponent(c.path), c.device) << c.path;
}
