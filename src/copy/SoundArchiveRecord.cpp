#include "copy/SoundArchiveRecord.h"

#include "paths/DrivePath.h"
#include "paths/PathText.h"
#include "platform/AsciiCase.h"
#include "words/ProgramWords.h"

std::string codecExtension(std::uint32_t codec) {
    switch (codec) {
    case kCodecVorbis:
        return ".ogg";
    case kCodecSpeex:
        return ".spx";
    default:
        return {};
    }
}

ArchiveStatus checkRecordName(std::uint32_t codec, const std::string& name) {
    if (name.size() > kRecordNameLimit)
        return ArchiveStatus::NameTooLong;
    if (name.empty() || name == "." || name == "..")
        return ArchiveStatus::BadName;
    if (name.find_first_of(std::string("\\/:\0", 4)) != std::string::npos)
        return ArchiveStatus::BadName;
    if (name.size() > kFileNameLimit)
        return ArchiveStatus::NameTooLongToWrite;
    // The medium is for Windows: a name it refuses fails there, wherever the files are checked.
    switch (windowsNameRefusal(name)) {
    case NameRefusal::DeviceName:
        return ArchiveStatus::DeviceName;
    case NameRefusal::ForbiddenCharacter:
    case NameRefusal::UnsafeCharacter: // a WAVE file's name that shows otherwise than it is
        return ArchiveStatus::ForbiddenCharacter;
    case NameRefusal::None:
        break;
    }
    const std::string extension = codecExtension(codec);
    if (!extension.empty() && !endsWith(platform::asciiLower(name), extension))
        return ArchiveStatus::MissingExtension;
    return ArchiveStatus::Ok;
}

const char* describeArchiveStatus(ArchiveStatus status) {
    switch (status) {
    case ArchiveStatus::Ok:
        return "ok";
    case ArchiveStatus::ShortHeader:
        return words::marked("record header cut short");
    case ArchiveStatus::NameTooLong:
        return words::marked("record name longer than 259 bytes");
    case ArchiveStatus::NameTooLongToWrite:
        return words::marked(
            "record name longer than 255 bytes, more than a file system takes in one name");
    case ArchiveStatus::NamePastEnd:
        return words::marked("record name runs past the end of the archive");
    case ArchiveStatus::DataPastEnd:
        return words::marked("record data runs past the end of the archive");
    case ArchiveStatus::BadName:
        return words::marked(
            "record name is empty, has a folder part or a drive, or is \".\" or \"..\"");
    case ArchiveStatus::MissingExtension:
        return words::marked(
            "record name lacks its codec's extension (.ogg for Vorbis, .spx for Speex)");
    // Whole sentences, as the catalogs take them; the page's refusals say the same of a folder.
    case ArchiveStatus::DeviceName:
        return words::marked("record name is a name Windows keeps for a device (CON, PRN, AUX, "
                             "NUL, COM1-9, LPT1-9)");
    case ArchiveStatus::ForbiddenCharacter:
        return words::marked("record name holds a character Windows refuses in names (* ? \" < > "
                             "| or a control character)");
    case ArchiveStatus::ReadFailed:
        return words::marked("archive could not be read");
    }
    return "unknown";
}

static void appendUint32(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::string encodeRecord(std::uint32_t codec, const std::string& name, const std::string& data) {
    std::string bytes;
    appendUint32(bytes, codec);
    appendUint32(bytes, static_cast<std::uint32_t>(data.size()));
    appendUint32(bytes, static_cast<std::uint32_t>(name.size()));
    return bytes + name + data;
}
