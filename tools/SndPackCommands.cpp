#include "SndPackCommands.h"

#include "OggCodec.h"
#include "SndPackSupport.h"
#include "copy/CopyPaths.h"
#include "platform/AsciiCase.h"
#include "platform/BoundedRead.h"
#include "platform/EndSignals.h"
#include "platform/Files.h"
#include "words/ProgramWords.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <set>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A record's data is at most 4 GiB; a larger file is refused before anything is written.
constexpr std::uint64_t kInputLimit = std::numeric_limits<std::uint32_t>::max();
// Enough of a file's start for its first Ogg page header and packet signature.
constexpr std::size_t kHeadBytes = 64 * 1024;

// Ends the program as a request to end it asked (the caller has removed its partial file).
[[noreturn]] void endAsRequested(const std::string& what) {
    std::fprintf(stderr, "sndpack: stopped by %s; %s\n", platform::endRequestName().c_str(),
                 what.c_str());
    std::fflush(stdout);
    platform::endAsRequested();
    std::abort(); // not reached: the request ends the program
}

// A file written in pieces that is left only once it is whole: a failed write, a failure of the
// caller's (discard, or the end of the object's life before finish) and a request to end the
// program all remove what was written.
class OutputFile {
public:
    OutputFile(std::string path, platform::ExistingFile existing) : path(std::move(path)) {
        if (!platform::endRequested())
            file = platform::createNativeFile(this->path, existing);
    }
    ~OutputFile() { discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool opened() const { return file != nullptr; }

    bool write(const void* bytes, std::size_t count) {
        if (platform::endRequested()) {
            discard();
            endAsRequested(path + " was not written");
        }
        if (file != nullptr && count > 0 && std::fwrite(bytes, 1, count, file) != count)
            discard();
        return file != nullptr;
    }

    // True when the file is complete; otherwise it is removed.
    bool finish() {
        if (file == nullptr)
            return false;
        if (platform::endRequested()) {
            discard();
            endAsRequested(path + " was not written");
        }
        const bool closed = std::fclose(file) == 0;
        file = nullptr;
        if (!closed)
            platform::deleteFile(path);
        return closed;
    }

    void discard() {
        if (file == nullptr)
            return;
        std::fclose(file);
        file = nullptr;
        platform::deleteFile(path);
    }

private:
    std::string path;
    std::FILE* file = nullptr;
};

void putLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// Makes room for a record's file in the output folder: nothing may be there unless asked, and
// then only a regular file that may be written, never a link, a folder or a pipe.
std::string clearPlace(const fs::path& file, bool overwrite) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(file, error);
    if (!fs::exists(status))
        return {};
    if (!overwrite)
        return words::translate("exists already (--overwrite replaces it)");
    if (!fs::is_regular_file(status))
        return words::translate("is not a regular file, so it is not replaced");
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return words::translate("is read-only, so it is not replaced");
    return fs::remove(file, error)
               ? std::string()
               : words::translateWith("cannot be replaced: %1", {error.message()});
}

const char* codecName(std::uint32_t codec) {
    return codec == kCodecVorbis ? "vorbis" : codec == kCodecSpeex ? "speex" : "other";
}

// An input file found fit to be packed, with the start of its bytes (all of a small file).
struct PackInput {
    std::string path;   // native
    std::string header; // the record's header and name
    std::uint64_t size = 0;
    std::string head;
};

// Looks at an input file without reading it whole, or complains saying why it cannot be packed.
bool examineInput(const std::string& input, PackInput& found) {
    found.path = nativeAbsolute(input);
    // The bounded read refuses folders, devices and pipes without waiting on them; a file
    // larger than its limit is a regular file, read in pieces when it is packed.
    const platform::FileReadResult probe =
        platform::readRegularFile(found.path, kHeadBytes, found.head);
    if (probe == platform::FileReadResult::Read) {
        found.size = found.head.size();
    } else if (probe == platform::FileReadResult::TooLarge) {
        std::FILE* file = platform::openFile(found.path, "rb");
        const bool measured = file != nullptr && platform::measureOpenFile(file, found.size);
        found.head.resize(kHeadBytes);
        const bool read =
            measured && std::fread(found.head.data(), 1, kHeadBytes, file) == kHeadBytes;
        if (file != nullptr)
            std::fclose(file);
        if (!read)
            return complain(input, words::translate("cannot be read"));
    } else {
        return complain(input, platform::describeUnreadFile(probe, kHeadBytes));
    }
    std::string why;
    const auto codec = detectOggCodec(found.head, why);
    if (!codec)
        return complain(input, words::translateWith(
                                   "%1; only Ogg Vorbis and Ogg Speex files can be packed", {why}));
    if (found.size > kInputLimit)
        return complain(input, words::translate("larger than 4 GiB"));
    const std::string name = fs::path(input).filename().string();
    const ArchiveStatus check = checkRecordName(*codec, name);
    if (check != ArchiveStatus::Ok)
        return complain(input,
                        words::translateWith("cannot be a record: %1",
                                             {words::translate(describeArchiveStatus(check))}));
    found.header = encodeRecord(*codec, name, "");
    putLittleEndian(found.header, 4, static_cast<std::uint32_t>(found.size));
    return true;
}

// Copies an input's bytes into the archive in pieces; false, with a complaint, when the file
// gives other than the bytes it had when it was examined.
bool copyInput(const std::string& input, const PackInput& found, OutputFile& out) {
    if (found.size == found.head.size())
        return out.write(found.head.data(), found.head.size()) ||
               complain(input, words::translate("cannot be written into the archive"));
    std::FILE* file = platform::openFile(found.path, "rb");
    if (file == nullptr)
        return complain(input, words::translate("cannot be read"));
    std::vector<unsigned char> piece(SoundArchive::kPieceBytes);
    std::uint64_t left = found.size;
    bool written = true;
    while (left > 0 && written) {
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size()));
        if (std::fread(piece.data(), 1, count, file) != count)
            break;
        written = out.write(piece.data(), count);
        left -= count;
    }
    const bool grew = left == 0 && std::fgetc(file) != EOF;
    std::fclose(file);
    if (!written)
        return complain(input, words::translate("cannot be written into the archive"));
    if (left > 0 || grew)
        return complain(input, words::translate("changed while it was packed"));
    return true;
}

} // namespace

bool packArchive(const std::string& archive, const std::vector<std::string>& inputs) {
    std::set<std::string> names;
    std::vector<PackInput> found(inputs.size());
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        // The installer's file names ignore letter case, so two such records would collide.
        if (!names.insert(platform::asciiLower(fs::path(inputs[i]).filename().string())).second)
            return complain(inputs[i], words::translate("a record of that name is packed already"));
        if (!examineInput(inputs[i], found[i]))
            return false;
        found[i].head.resize(std::min<std::uint64_t>(found[i].size, found[i].head.size()));
        if (found[i].size != found[i].head.size())
            found[i].head.clear(); // read again from the file
        found[i].head.shrink_to_fit();
        total += found[i].header.size() + found[i].size;
    }
    // Every input was found fit before the archive is touched; from here on a failure, or a
    // request to end the program, leaves no archive rather than part of one.
    const platform::EndSignalsHeld held;
    OutputFile out(nativeAbsolute(archive), platform::ExistingFile::Replace);
    if (!out.opened())
        return complain(archive, words::translate("cannot be written"));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!out.write(found[i].header.data(), found[i].header.size()))
            return complain(archive, words::translate("cannot be written"));
        if (!copyInput(inputs[i], found[i], out))
            return false;
    }
    if (!out.finish())
        return complain(archive, words::translate("cannot be written"));
    std::printf("%s: %zu records, %llu bytes\n", archive.c_str(), inputs.size(),
                static_cast<unsigned long long>(total));
    return true;
}

bool listArchive(const std::string& archive) {
    std::printf("%-10s %10s %10s  %s\n", "codec", "data", "record", "name");
    // Headers only: the data is skipped, however large.
    return forEachRecord(
        archive, [](const SoundArchiveRecord& record, SoundArchive&, const std::string&) {
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
        return complain(folder, words::translateWith("cannot be created: %1", {error.message()}));
    // A request to end the program removes the file being written, not the finished ones.
    const platform::EndSignalsHeld held;
    const bool extracted =
        forEachRecord(archive, [&](const SoundArchiveRecord& record, SoundArchive& reader,
                                   const std::string& place) {
            const fs::path file = fs::path(folder) / record.name;
            if (platform::endRequested())
                endAsRequested(file.string() + " was not written");
            if (const std::string why = clearPlace(file, overwrite); !why.empty())
                return complain(file.string(), why);
            // Only a file made here and now is written: a link put in its place meanwhile is not
            // followed.
            OutputFile out(nativeAbsolute(file.string()), platform::ExistingFile::Refuse);
            if (!out.opened())
                return complain(file.string(), words::translate("cannot be written"));
            bool written = true;
            const ArchiveStatus status =
                reader.readRecordData([&](const unsigned char* bytes, std::size_t count) {
                    written = out.write(bytes, count);
                    return written;
                });
            if (!written || (status == ArchiveStatus::Ok && !out.finish()))
                return complain(file.string(), words::translate("cannot be written"));
            if (status != ArchiveStatus::Ok)
                return complain(archive,
                                place + ": " + words::translate(describeArchiveStatus(status)));
            std::printf("%s\n", file.string().c_str());
            return true;
        });
    if (platform::endRequested())
        endAsRequested("every file named above was written whole");
    return extracted;
}
