#include "ArchiveCheck.h"

#include "audio/AudioTranscoder.h"
#include "copy/SoundArchive.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
constexpr const char* kNullDevice = "NUL";
#else
#include <unistd.h>
constexpr const char* kNullDevice = "/dev/null";
#endif

namespace fs = std::filesystem;

namespace {

// A folder of its own under the system's temporary folder, removed with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() /
                ("sndpack-verify-" + std::to_string(stamp) + "-" + std::to_string(attempt));
            std::error_code error;
            if (fs::create_directory(candidate, error))
                path = candidate;
        }
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path.empty())
            fs::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    fs::path path;
};

// Standard error sent to the null device for the object's life.
class SilencedErrors {
public:
    explicit SilencedErrors(bool silence) {
        if (!silence)
            return;
        std::fflush(stderr);
        saved = dup(2);
        if (saved >= 0 && !std::freopen(kNullDevice, "w", stderr))
            restore();
    }
    ~SilencedErrors() { restore(); }
    SilencedErrors(const SilencedErrors&) = delete;
    SilencedErrors& operator=(const SilencedErrors&) = delete;

private:
    void restore() {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, 2);
        close(saved);
        saved = -1;
    }
    int saved = -1;
};

// Whether the record's compressed file converts into a WAVE file with the installer's own
// transcoder, as it would during an installation.
bool decodes(const SoundArchiveRecord& record, const fs::path& folder) {
    const fs::path input = folder / ("record" + codecExtension(record.codec));
    const fs::path output = folder / "record.wav";
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(record.data.data()),
                  static_cast<std::streamsize>(record.data.size()));
        if (!out)
            return false;
    }
    AudioTranscoder transcoder;
    const bool converted = record.codec == kCodecVorbis
                               ? transcoder.vorbisToWav(input.string(), output.string())
                               : transcoder.speexToWav(input.string(), output.string());
    std::error_code ignored;
    fs::remove(input, ignored);
    fs::remove(output, ignored);
    return converted;
}

} // namespace

int ArchiveCheck::failures() const {
    int count = 0;
    for (const RecordCheck& record : records)
        count += record.knownCodec && record.decodes ? 0 : 1;
    return count;
}

ArchiveCheck checkArchive(const std::string& path, bool quiet) {
    const SilencedErrors silenced(quiet);
    ArchiveCheck check;
    SoundArchive archive;
    check.opened = archive.open(path);
    if (!check.opened)
        return check;
    ScratchFolder scratch;
    if (scratch.path.empty()) {
        check.brokenAt = "no temporary folder for decoding";
        return check;
    }
    for (int index = 0; !archive.atEnd(); ++index) {
        const unsigned long long offset = archive.position();
        SoundArchiveRecord record;
        const ArchiveStatus status = archive.readRecord(record);
        if (status != ArchiveStatus::Ok) {
            check.brokenAt = "record " + std::to_string(index) + " at byte " +
                             std::to_string(offset) + ": " + describeArchiveStatus(status);
            break;
        }
        RecordCheck result{record.name, !codecExtension(record.codec).empty(), false};
        result.decodes = result.knownCodec && decodes(record, scratch.path);
        check.records.push_back(result);
    }
    return check;
}
