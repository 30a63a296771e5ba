#pragma once
// One record of a .snd sound archive: a 12-byte header of three unsigned 32-bit little-endian
// integers (codec, dataLength, nameLength), then the name, then the compressed file itself.
#include <cstdint>
#include <string>
#include <vector>

struct SoundArchiveRecord {
    std::uint32_t codec = 0;
    std::uint32_t dataLength = 0;
    std::uint32_t nameLength = 0;
    std::string name;
    std::vector<unsigned char> data;
};

enum SoundCodec : std::uint32_t {
    kCodecVorbis = 0,
    kCodecSpeex = 1,
};

constexpr std::uint32_t kRecordHeaderSize = 12;
constexpr std::uint32_t kRecordNameLimit = 259; // the archive format's
constexpr std::size_t kFileNameLimit = 255;     // bytes of one name that file systems take

// ".ogg" for Vorbis, ".spx" for Speex, empty for a codec the installer does not convert.
std::string codecExtension(std::uint32_t codec);

enum class ArchiveStatus {
    Ok,
    ShortHeader,        // fewer than 12 bytes left for a record header
    NameTooLong,        // nameLength above 259
    NameTooLongToWrite, // a name over 255 bytes, which no file system takes
    NamePastEnd,        // the name runs past the end of the archive
    DataPastEnd,        // dataLength runs past the end of the archive
    BadName,            // empty, folder part, drive, "." or ".."
    MissingExtension,   // a Vorbis or Speex record not named for its codec
    DeviceName,         // a name Windows keeps for a device ("con.ogg")
    ForbiddenCharacter, // * ? " < > | or a control character, which Windows refuses
    ReadFailed,         // the file gave fewer bytes than it said it holds
};

const char* describeArchiveStatus(ArchiveStatus status);

// Ok when a record name may be written into the target folder: not empty, at most 255 bytes,
// no folder part, drive or zero byte, not "." or "..", not a name Windows refuses, and ending
// in its codec's extension.
ArchiveStatus checkRecordName(std::uint32_t codec, const std::string& name);

// The bytes of a whole record, as an archive holds it.
std::string encodeRecord(std::uint32_t codec, const std::string& name, const std::string& data);
