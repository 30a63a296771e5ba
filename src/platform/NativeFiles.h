#pragma once
// Files named exactly as this system names them (absolute native paths, no drive letters, no
// letter-case matching): the installation's journal and what it lists. An uninstall must remove
// the very file the installer made, never a sibling that differs in case.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// What is at a path, the last component not followed when it is a link.
enum class NativeKind { Missing, File, Folder, Link, Other };
NativeKind nativeKind(const std::string& nativePath);

// An absolute path without "." or ".." components and without empty ones: a path that says
// where it leads, taken from a file a person could have edited.
bool isPlainNativePath(const std::string& nativePath);
// Whether the path lies inside the folder (or is it), compared as this system compares names.
bool isNativePathInside(const std::string& nativePath, const std::string& nativeFolder);
// Whether no folder above the path, from the folder given down, is a link or a file (a level that
// is gone is none): what is removed inside the folder is then inside it on disk too.
bool holdsNoLinkBelow(const std::string& nativePath, const std::string& nativeFolder);
// The folder part of a native path.
std::string nativeFolderOf(const std::string& nativePath);
// A name joined to a native folder.
std::string nativeJoin(const std::string& nativeFolder, const std::string& name);

// A regular file (no link) is removed; a folder only when it is empty.
bool removeNativeFile(const std::string& nativePath);
bool removeNativeEmptyFolder(const std::string& nativePath);
bool renameNative(const std::string& from, const std::string& to);
// Makes the folder and every missing level above it.
bool makeNativeFolders(const std::string& nativePath);

std::FILE* openNativeForReading(const std::string& nativePath);
// Opens for adding at the end, created when missing.
std::FILE* openNativeForAppending(const std::string& nativePath);
// The names in a folder ("." and ".." left out); false when it cannot be read.
bool nativeFolderNames(const std::string& nativeFolder, std::vector<std::string>& names);

// What a source file looked like: its size and its last change, in the file system's own unit.
struct FileStamp {
    std::uint64_t bytes = 0;
    std::int64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};
bool nativeFileStamp(const std::string& nativePath, FileStamp& stamp);

// The folders of the desktop's menus besides the programs folder, where an installation puts
// its menu folder's files and its programs' icons (none on Windows, whose menu is the folder).
std::vector<std::string> desktopMenuPlaces();

// Where the journals of installed products are kept: SETUP_JOURNAL_DIR when set, else a folder
// of the installer's own beside its registry records. Empty when there is none.
std::string journalFolder();

} // namespace platform
