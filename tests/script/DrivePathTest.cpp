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
        {"Games\\..\\x", "Games\\..\\x"}, // not a drive path: left as typed
    };
    for (const auto& c : cases)
        EXPECT_EQ(tidyDrivePath(c.typed), c.tidy) << c.typed;
}
