#include "copy/SoundArchive.h"

#include "platform/Files.h"

bool SoundArchive::open(const std::string& path) {
    close();
    archiveFile = platform::openFile(path, "rb");
    if (!archiveFile)
        return false;
    long length = -1;
    if (std::fseek(archiveFile, 0, SEEK_END) == 0)
        length = std::ftell(archiveFile);
    std::rewind(archiveFile);
    archiveSize = length < 0 ? 0 : length;
    return true;
}

void SoundArchive::close() {
    if (archiveFile)
        std::fclose(archiveFile);
    archiveFile = nullptr;
    archiveSize = 0;
    archivePosition = 0;
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

ArchiveStatus SoundArchive::readRecord(SoundArchiveRecord& record) {
    record = {};
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
    record.data.resize(record.dataLength);
    if (!readBytes(record.data.data(), record.dataLength))
        return ArchiveStatus::ReadFailed;
    archivePosition += kRecordHeaderSize + record.nameLength + record.dataLength;
    return ArchiveStatus::Ok;
}
