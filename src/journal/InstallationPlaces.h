#pragma once
// Where the things an installation made may lie, read from its journal: its target folders, the
// desktop's menu folders, its registry keys. A line that names anything elsewhere (a journal
// edited to reach the person's files, or climbing out with "..") is never acted on.
#include "journal/JournalReading.h"
#include "platform/Registry.h"

#include <string>
#include <vector>

struct InstallationPlaces {
    std::vector<std::string> targets;    // native target folders of the journal's runs
    std::vector<std::string> menuPlaces; // the programs folder and the menus' own folders
    std::vector<std::string> sharedFolders; // holding the maker's shared uninstaller
    struct Key {
        platform::RegistryHive hive;
        std::string path;
    };
    std::vector<Key> keys; // the installer's record and the uninstall entry, per run

    // A file of the role at the path: product files inside a target, menu files in the menus.
    bool holdsFile(const std::string& role, const std::string& nativePath) const;
    // A folder the run made: inside a target or a menu folder, or above a target (made for it).
    bool holdsFolder(const std::string& nativePath) const;
    // A value of one of the keys; a key that is one of them or above one.
    bool holdsValue(platform::RegistryHive hive, const std::string& key) const;
    bool holdsKey(platform::RegistryHive hive, const std::string& key) const;
};

InstallationPlaces placesOf(const journal::Journal& journal);
