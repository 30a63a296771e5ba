#pragma once
// Reads a .snd sound archive record by record: back-to-back records, no file header, no count.
// Every length is checked against the bytes left before anything is read or allocated.
#include "copy/SoundArchiveRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
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

    unsigned long long size() const { return archiveSize; }
    // Where the next record begins (or, while a record's data is unread, where it began).
    unsigned long long position() const { return archivePosition; }
    bool atEnd() const { return archivePosition >= archiveSize; }

    // Reads the header and the name of the record at the current position; its data stays
    // unread (record.data empty) until readRecordData or skipRecordData, which must come before
    // the next record is read. On anything but Ok the archive cannot be read further: the
    // position stays where the bad record began.
    ArchiveStatus readRecordHeader(SoundArchiveRecord& record);
    // Hands the data of the record just read to take in pieces of at most kPieceBytes, so that
    // no record is ever held whole; stops early (ReadFailed) when take returns false.
    static constexpr std::size_t kPieceBytes = 1 << 20;
    using PieceTaker = std::function<bool(const unsigned char* bytes, std::size_t count)>;
    ArchiveStatus readRecordData(const PieceTaker& take);
    ArchiveStatus skipRecordData();

    // The whole record, data included, for records known to be small.
    ArchiveStatus readRecord(SoundArchiveRecord& record);

private:
    bool readBytes(void* buffer, std::size_t count);
    unsigned long long bytesLeft() const;
    void recordDone();

    std::FILE* archiveFile = nullptr;
    unsigned long long archiveSize = 0;
    unsigned long long archivePosition = 0;
    unsigned long long unreadData = 0;  // of the record whose header was read
    unsigned long long recordBytes = 0; // the whole of that record, header included
};
