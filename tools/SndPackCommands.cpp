#include "SndPackCommands.h"

#include "OggCodec.h"
#include "SndPackSupport.h"
#include "copy/CopyPaths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>

namespace fs = std::filesystem;

namespace {

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return !out.fail();
}

const char* codecName(std::uint32_t codec) {
    return codec == kCodecVorbis ? "vorbis" : codec == kCodecSpeex ? "speex" : "other";
}

// One record from an input file, or a complaint saying why the file cannot be packed.
bool makeRecord(const std::string& input, std::string& record) {
    std::string bytes;
    if (!readFile(input, bytes))
        return complain(input, "cannot be read");
    std::string why;
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
        if (!names.insert(toLowerCase(fs::path(input).filename().string())).second)
            return complain(input, "a record of that name is packed already");
        std::string record;
        if (!makeRecord(input, record))
            return false;
        bytes += record;
    }
    if (!writeFile(archive, bytes.data(), bytes.size())) {
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

bool extractArchive(const std::string& archive, const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return complain(folder, "cannot be created: " + error.message());
    return forEachRecord(archive, [&](const SoundArchiveRecord& record) {
        const fs::path file = fs::path(folder) / record.name;
        if (!writeFile(file, record.data.data(), record.data.size()))
            return complain(file.string(), "cannot be written");
        std::printf("%s\n", file.string().c_str());
        return true;
    });
}
