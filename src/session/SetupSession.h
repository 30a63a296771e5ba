#pragma once
// The record of one run that the main window owns and every later step reads and fills.
#include <array>
#include <string>

struct ShortcutEntry {
    std::string linkName;   // "Description%d": file name inside the program group folder
    std::string targetName; // "File%d": relative to the target folder
    std::string workFolder; // "Work%d": kept, not applied
};

constexpr int kShortcutRows = 10;

struct SetupSession {
    int shortcutCount = 0;
    std::string registryKey = "Software\\Tervalis\\";
    std::string uninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
    std::string scriptPath;
    std::string languageSection;
    std::string sourceDrive = "X";
    std::string targetFolder;
    std::string companyName;
    std::string programName;
    std::array<ShortcutEntry, kShortcutRows> shortcuts;
};
