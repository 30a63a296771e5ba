#pragma once
// The journal of the installation under way: every folder, file, registry value and menu entry
// the run makes is added as one line the moment it is made, and reaches the file at once, so that
// a run that is killed leaves its journal readable up to the last thing that landed. Without an
// open journal every call does nothing. Safe to call from the copy's threads.
#include "journal/Sha256.h"
#include "platform/NativeFiles.h"
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace journal {

struct Line;

// Whose journal it is: the product's key (its uninstall entry's name, "PROGRAM_NAME_Language")
// and the name the list of installed programs shows.
struct Product {
    std::string key;
    std::string displayName;
};

// The journal's file name for a product key ("MoonriseHarbour_English.journal").
std::string journalFileNameOf(const std::string& productKey);
// The journal file of a product in the journal folder; empty when there is no such folder.
std::string journalPathOf(const std::string& productKey);
// Opens the product's journal for adding, made with its product line when new. False when it
// cannot be written: the installation then goes on without one.
bool open(const Product& product);
bool openAt(const std::string& nativePath, const Product& product);
void close();
bool isOpen();
// The open journal's file.
std::string openPath();

void add(const Line& line);

struct RunFacts {
    std::string target;       // as the run names it ("C:\Games\Moonrise")
    std::string targetNative; // as the system names it
    std::string installType;
    std::string mediumNative;
    std::string winePrefix;
    std::string recordKey;
    std::string uninstallKey;
};
void runBegun(const RunFacts& facts);

// Where a file's content came from, so that a later run can tell it unchanged.
struct Source {
    std::string native;
    platform::FileStamp stamp;
    int record = -1; // the record's index in a sound archive
};
// A file now in place: its size and checksum are read from it. Nothing when it cannot be read.
void filePlaced(const char* role, const std::string& nativePath,
                const std::optional<Source>& source = std::nullopt);
void filePlaced(const char* role, const std::string& nativePath, const FileDigest& digest,
                const std::optional<Source>& source);
void folderMade(const std::string& nativePath);
void fileReplaced(const std::string& nativePath, const std::string& keptAt);
void keyMade(platform::RegistryHive hive, const std::string& key);
void valueWritten(platform::RegistryHive hive, const std::string& key, const std::string& name,
                  const std::string& text, const std::optional<std::string>& earlier);
void runEnded(const char* how);

const char* hiveName(platform::RegistryHive hive);
std::optional<platform::RegistryHive> hiveNamed(const std::string& name);

} // namespace journal
