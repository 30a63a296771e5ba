#pragma once
// Reads a .snd sound archive record by record: back-to-back records, no file header, no count.
// Every length is checked against the bytes left before anything is read or allocated.
#include "copy/SoundArchiveRecord.h"

#include <cstdint>
#include <cstdio>
#include <string>

class SoundArchive {
public:
    SoundArchive() = default;
    ~SoundArchive() { close(); }
    SoundArchive(const SoundArchive&) = delete;
    SoundArchive& operator=(const SoundArchive&) = delete;

    // Opens a drive path, a path relative to the current folder or a native path for binary
    // reading and measures it; false when it cannot be opened.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return archiveFile != nullptr; }

    long long size() const { return archiveSize; }
    unsigned long long position() const { return archivePosition; }
    bool atEnd() const { return archivePosition >= static_cast<unsigned long long>(archiveSize); }

    // Reads the record at the current position. On anything but Ok the archive cannot be read
    // further: the position stays where the bad record began.
    ArchiveStatus readRecord(SoundArchiveRecord& record);

private:
    bool readBytes(void* buffer, std::size_t count);
    unsigned long long bytesLeft() const;

    std::FILE* archiveFile = nullptr;
    long long archiveSize = 0;
    unsigned long long archivePosition = 0;
};
