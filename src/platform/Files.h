#pragma once
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

// File attribute bits, valued as the system's.
enum FileAttribute : std::uint32_t {
    kAttributeReadOnly = 0x1,
    kAttributeHidden = 0x2,
    kAttributeSystem = 0x4,
    kAttributeDirectory = 0x10,
    kAttributeArchive = 0x20,
};
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Copies a file; fails when the destination exists and failIfExists is set, and when the
// destination exists read-only (as the system does, even for the administrator). When stop is
// given and becomes true during the copy, the copy ends soon after, failed, and the partial
// destination is removed, as with any failed copy.
bool copyFile(const std::string& from, const std::string& to, bool failIfExists,
              const std::atomic<bool>* stop = nullptr);

// Read-only is the absence of the owner's write permission; "archive only" gives it back.
// Hidden and system have no place on POSIX and are ignored when set.
bool setFileAttributes(const std::string& path, std::uint32_t attributes);
std::uint32_t fileAttributes(const std::string& path);

bool deleteFile(const std::string& path);
// Puts a finished file in the place of another in one step, so the destination is either the
// old file whole or the new one whole. Fails over a read-only file, as copyFile does.
bool replaceFile(const std::string& from, const std::string& to);

enum class MakeFolderResult { Created, AlreadyExists, Failed };
// Creates one folder level (its parent must exist).
MakeFolderResult makeFolder(const std::string& path);

bool changeFolder(const std::string& path);
// The current folder as a drive path, whole whatever its length.
std::string currentFolder();

struct FoundFile {
    std::string name;
    std::uint32_t attributes = 0;
};
// A directory search with a pattern as the system's ("folder\*", "folder\*.*", "folder\name"):
// the entries in the file system's order, "." and ".." included for folders. False when the
// folder cannot be searched or nothing matches.
bool findFiles(const std::string& pattern, std::vector<FoundFile>& found);

// fopen on a drive path or a path relative to the current folder.
std::FILE* openFile(const std::string& path, const char* mode);
// Creates a file for writing in binary, named as this system names files (a path from the
// command line, in UTF-8). Anything but a regular file at that name is refused without waiting
// on it; with Refuse, so is anything at all, a symbolic link included, so that only a file this
// call made is written.
enum class ExistingFile { Replace, Refuse };
std::FILE* createNativeFile(const std::string& nativePath,
                            ExistingFile existing = ExistingFile::Replace);

// Whether copyFile can read a file, told before the copy. POSIX: a regular file with its owner's
// read permission (for the administrator too, as read-only is honoured), opened without waiting;
// Windows: a file on disk that opens for reading (not a device, a pipe or a folder).
enum class CopySource { Copyable, Missing, NotAFile, Unreadable };
CopySource examineCopySource(const std::string& path);

// The size of an open file, left at its start, and a move to an offset of it: both whole for
// files past 2 GiB, which the C library's long offsets miss on Windows.
bool measureOpenFile(std::FILE* file, std::uint64_t& bytes);
bool seekOpenFile(std::FILE* file, std::uint64_t offset);

bool fileExists(const std::string& path);
// The bytes the current user may still write on the file system of an existing folder.
bool freeDiskSpace(const std::string& folder, std::uint64_t& bytes);
bool folderExists(const std::string& path);

// Why the last file call of this thread failed, asked right after it: the system's own words
// ("" when it gave none) and whether the file system had no room left.
struct FileFailure {
    bool diskFull = false;
    std::string reason;
};
FileFailure lastFileFailure();

} // namespace platform
