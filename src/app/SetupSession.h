#pragma once
// The main window's state for one run, filled from the setup script at start-up.
#include <array>
#include <string>

struct ShortcutEntry {
    std::string linkName;
    std::string targetName;
    std::string workFolder;
};

struct SetupSession {
    static constexpr int kMaxShortcuts = 10;

    int shortcutCount = 0;
    std::string registryKey;
    std::string uninstallKey;
    std::string scriptPath;
    std::string languageSection;
    std::string sourceDrive;
    std::string targetFolder;
    std::string companyName;
    std::string programName;
    std::array<ShortcutEntry, kMaxShortcuts> shortcuts;
};
