#include "SndPackCommands.h"

#include "OggCodec.h"
#include "SndPackSupport.h"
#include "copy/CopyPaths.h"
#include "platform/AsciiCase.h"
#include "platform/BoundedRead.h"
#include "platform/Files.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>

namespace fs = std::filesystem;

namespace {

// A record's data is at most 4 GiB; a larger file is refused before it fills the memory.
constexpr std::size_t kInputLimit = std::numeric_limits<std::uint32_t>::max();

// Empty when read; otherwise why not.
std::string readInput(const std::string& path, std::string& bytes) {
    return platform::describeUnreadFile(
        platform::readRegularFile(nativeAbsolute(path), kInputLimit, bytes), kInputLimit);
}

bool writeFile(const std::string& path, const void* data, std::size_t size,
               platform::ExistingFile existing) {
    std::FILE* out = platform::createNativeFile(path, existing);
    if (!out)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
    return std::fclose(out) == 0 && written;
}

// Makes room for a record's file in the output folder: nothing may be there unless asked, and
// then only a regular file that may be written, never a link, a folder or a pipe.
std::string clearPlace(const fs::path& file, bool overwrite) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status))
        return {};
    if (!overwrite)
        return "exists already (--overwrite replaces it)";
    if (!fs::is_regular_file(status))
        return "is not a regular file, so it is not replaced";
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return "is read-only, so it is not replaced";
    return fs::remove(file, error) ? std::string() : "cannot be replaced: " + error.message();
}

const char* codecName(std::uint32_t codec) {
    return codec == kCodecVorbis ? "vorbis" : codec == kCodecSpeex ? "speex" : "other";
}

// One record from an input file, or a complaint saying why the file cannot be packed.
bool makeRecord(const std::string& input, std::string& record) {
    std::string bytes;
    std::string why = readInput(input, bytes);
    if (!why.empty())
        return complain(input, why);
    const auto codec = detectOggCodec(bytes, why);
    if (!codec)
        return complain(input, why + "; only Ogg Vorbis and Ogg Speex files can be packed");
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return complain(input, "larger than 4 GiB");
    const std::string name = fs::path(input).filename().string();
    const ArchiveStatus check = checkRecordName(*codec, name);
    if (check != ArchiveStatus::Ok)
        return complain(input, std::string("cannot be a record: ") + describeArchiveStatus(check));
    record = encodeRecord(*codec, name, bytes);
    return true;
}

} // namespace

bool packArchive(const std::string& archive, const std::vector<std::string>& inputs) {
    std::string bytes;
    std::set<std::string> names;
    for (const auto& input : inputs) {
        // The installer's file names ignore letter case, so two such records would collide.
        if (!names.insert(platform::asciiLower(fs::path(input).filename().string())).second)
            return complain(input, "a record of that name is packed already");
        std::string record;
        if (!makeRecord(input, record))
            return false;
        bytes += record;
    }
    if (!writeFile(nativeAbsolute(archive), bytes.data(), bytes.size(),
                   platform::ExistingFile::Replace)) {
        std::error_code ignored;
        fs::remove(archive, ignored);
        return complain(archive, "cannot be written");
    }
    std::printf("%s: %zu records, %zu bytes\n", archive.c_str(), inputs.size(), bytes.size());
    return true;
}

bool listArchive(const std::string& archive) {
    std::printf("%-10s %10s %10s  %s\n", "codec", "data", "record", "name");
    return forEachRecord(archive, [](const SoundArchiveRecord& record) {
        std::printf("%u %-8s %10u %10llu  %s\n", record.codec, codecName(record.codec),
                    record.dataLength,
                    kRecordHeaderSize + static_cast<unsigned long long>(record.nameLength) +
                        record.dataLength,
                    record.name.c_str());
        return true;
    });
}

bool extractArchive(const std::string& archive, const std::string& folder, bool overwrite) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return complain(folder, "cannot be created: " + error.message());
    return forEachRecord(archive, [&](const SoundArchiveRecord& record) {
        const fs::path file = fs::path(folder) / record.name;
        if (const std::string why = clearPlace(file, overwrite); !why.empty())
            return complain(file.string(), why);
        // Only a file made here and now is written: a link put in its place meanwhile is not
        // followed.
        if (!writeFile(nativeAbsolute(file.string()), record.data.data(), record.data.size(),
                       platform::ExistingFile::Refuse))
            return complain(file.string(), "cannot be written");
        std::printf("%s\n", file.string().c_str());
        return true;
    });
}
