#include "copy/SoundArchive.h"

#include "platform/Files.h"

#include <algorithm>
#include <vector>

bool SoundArchive::open(const std::string& path) {
    close();
    archiveFile = platform::openFile(path, "rb");
    if (!archiveFile)
        return false;
    std::uint64_t length = 0;
    archiveSize = platform::measureOpenFile(archiveFile, length) ? length : 0;
    return true;
}

void SoundArchive::close() {
    if (archiveFile)
        std::fclose(archiveFile);
    archiveFile = nullptr;
    archiveSize = 0;
    archivePosition = 0;
    unreadData = 0;
    recordBytes = 0;
}

unsigned long long SoundArchive::bytesLeft() const {
    return atEnd() ? 0 : static_cast<unsigned long long>(archiveSize) - archivePosition;
}

bool SoundArchive::readBytes(void* buffer, std::size_t count) {
    return count == 0 || std::fread(buffer, 1, count, archiveFile) == count;
}

static std::uint32_t littleEndian(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

ArchiveStatus SoundArchive::readRecordHeader(SoundArchiveRecord& record) {
    record = {};
    unreadData = 0;
    recordBytes = 0;
    if (!archiveFile || bytesLeft() < kRecordHeaderSize)
        return ArchiveStatus::ShortHeader;
    unsigned char header[kRecordHeaderSize];
    if (!readBytes(header, sizeof header))
        return ArchiveStatus::ReadFailed;
    record.codec = littleEndian(header);
    record.dataLength = littleEndian(header + 4);
    record.nameLength = littleEndian(header + 8);
    if (record.nameLength > kRecordNameLimit)
        return ArchiveStatus::NameTooLong;
    const unsigned long long left = bytesLeft() - kRecordHeaderSize;
    if (record.nameLength > left)
        return ArchiveStatus::NamePastEnd;
    if (record.dataLength > left - record.nameLength)
        return ArchiveStatus::DataPastEnd;
    record.name.resize(record.nameLength);
    if (!readBytes(record.name.data(), record.nameLength))
        return ArchiveStatus::ReadFailed;
    if (const ArchiveStatus name = checkRecordName(record.codec, record.name);
        name != ArchiveStatus::Ok)
        return name;
    unreadData = record.dataLength;
    recordBytes =
        kRecordHeaderSize + static_cast<unsigned long long>(record.nameLength) + record.dataLength;
    return ArchiveStatus::Ok;
}

void SoundArchive::recordDone() {
    archivePosition += recordBytes;
    unreadData = 0;
    recordBytes = 0;
}

ArchiveStatus SoundArchive::readRecordData(const PieceTaker& take) {
    if (recordBytes == 0)
        return ArchiveStatus::ReadFailed;
    std::vector<unsigned char> piece(
        static_cast<std::size_t>(std::min<unsigned long long>(unreadData, kPieceBytes)));
    while (unreadData > 0) {
        const auto count =
            static_cast<std::size_t>(std::min<unsigned long long>(unreadData, kPieceBytes));
        if (!readBytes(piece.data(), count) || !take(piece.data(), count))
            return ArchiveStatus::ReadFailed;
        unreadData -= count;
    }
    recordDone();
    return ArchiveStatus::Ok;
}

ArchiveStatus SoundArchive::skipRecordData() {
    if (recordBytes == 0 || !platform::seekOpenFile(archiveFile, archivePosition + recordBytes))
        return ArchiveStatus::ReadFailed;
    recordDone();
    return ArchiveStatus::Ok;
}

ArchiveStatus SoundArchive::readRecord(SoundArchiveRecord& record) {
    const ArchiveStatus header = readRecordHeader(record);
    if (header != ArchiveStatus::Ok)
        return header;
    record.data.reserve(record.dataLength);
    return readRecordData([&record](const unsigned char* bytes, std::size_t count) {
        record.data.insert(record.data.end(), bytes, bytes + count);
        return true;
    });
}
