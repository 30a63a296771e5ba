#pragma once
// The parsed state of one hive file, kept between calls and used again while the file at the
// path is still the file it was read from: the same stamp (device, inode, size, modification and
// change times to the nanosecond). The file stays open while it is held, so its inode number cannot pass to a newer
// file. A hive of thousands of keys is then parsed once, not once per value read or written.
#include "platform/posix/machine/FileStamp.h"
#include "platform/posix/machine/RegistryHiveFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform::posix {

class RegistrySnapshot {
public:
    RegistrySnapshot() = default;
    ~RegistrySnapshot() { forget(); }
    RegistrySnapshot(const RegistrySnapshot&) = delete;
    RegistrySnapshot& operator=(const RegistrySnapshot&) = delete;

    // Brings the held hive up to the file at path (a missing file is an empty hive). False when
    // the file cannot be read or is not a registry text; nothing is held then.
    bool refresh(const std::string& path, const std::string& rootName);
    RegistryHiveFile& hive() { return parsed; }

    // The hive's text when it differs from the file's bytes; nothing when a save would not
    // change the file.
    std::optional<std::string> textToSave() const;
    // True when the held hive has not changed since it was read or saved.
    bool unchanged() const { return parsed.changeCount() == changesAtRead; }
    // After the caller replaced the file with text: holds the new file as the one read.
    void saved(std::string text);
    // Drops the held hive; the next refresh reads the file.
    void forget();

private:
    bool isCurrent() const;
    bool adoptOpenFile(int openFd);

    std::string path;
    int fd = -1;       // the file read, or -1 for a missing file
    bool held = false; // parsed holds the state of path
    FileStamp identity;
    std::string bytes;               // the file as read or written
    bool bytesAreParsedText = false; // parsed.text() gave bytes when it was read
    std::uint64_t changesAtRead = 0;
    RegistryHiveFile parsed{""};
};

} // namespace platform::posix
