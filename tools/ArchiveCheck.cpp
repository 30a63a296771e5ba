#include "ArchiveCheck.h"

#include "audio/AudioTranscoder.h"
#include "audio/DecoderNotes.h"
#include "copy/SoundArchive.h"
#include "platform/EndSignals.h"

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

// The decoders' notes still go where they went; the last one is kept, as a record that does not
// decode ends with the reason.
std::string& lastNote() {
    static std::string line;
    return line;
}

void keepLastNote(const std::string& line) {
    lastNote() = line;
    const std::string whole = line + "\n";
    std::fwrite(whole.data(), 1, whole.size(), stderr);
}

// Whether the record's compressed file converts into a WAVE file with the installer's own
// transcoder, as it would during an installation. The data goes to a scratch file in pieces, so
// that no record is held whole; a request to end the program stops both steps.
bool decodes(SoundArchive& archive, const SoundArchiveRecord& record, const fs::path& folder,
             ArchiveStatus& status, std::string& reason) {
    const fs::path input = folder / ("record" + codecExtension(record.codec));
    const fs::path output = folder / "record.wav";
    bool written = false;
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        written = static_cast<bool>(out);
        status = archive.readRecordData([&](const unsigned char* bytes, std::size_t count) {
            out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
            written = written && out;
            return !platform::endRequested().load();
        });
        out.flush(); // close() is a macro of its own on Windows
        written = written && out;
    }
    bool converted = false;
    if (status == ArchiveStatus::Ok && written) {
        AudioTranscoder transcoder;
        transcoder.stopWhen(&platform::endRequested());
        lastNote().clear();
        audio::sendNotesTo(&keepLastNote);
        converted = record.codec == kCodecVorbis
                        ? transcoder.vorbisToWav(input.string(), output.string())
                        : transcoder.speexToWav(input.string(), output.string());
        if (!converted)
            reason = lastNote();
    }
    std::error_code ignored;
    fs::remove(input, ignored);
    fs::remove(output, ignored);
    return converted;
}

ArchiveCheck checkOpenArchive(SoundArchive& archive, const fs::path& scratch) {
    ArchiveCheck check;
    check.opened = true;
    for (int index = 0; !archive.atEnd() && !platform::endRequested(); ++index) {
        const unsigned long long offset = archive.position();
        SoundArchiveRecord record;
        ArchiveStatus status = archive.readRecordHeader(record);
        if (status == ArchiveStatus::Ok) {
            RecordCheck result{record.name, !codecExtension(record.codec).empty(), false, {}};
            if (result.knownCodec)
                result.decodes = decodes(archive, record, scratch, status, result.reason);
            else
                status = archive.skipRecordData();
            if (status == ArchiveStatus::Ok)
                check.records.push_back(result);
        }
        if (status != ArchiveStatus::Ok) {
            check.brokenAt = "record " + std::to_string(index) + " at byte " +
                             std::to_string(offset) + ": " + describeArchiveStatus(status);
            break;
        }
    }
    return check;
}

} // namespace

int ArchiveCheck::failures() const {
    int count = 0;
    for (const RecordCheck& record : records)
        count += record.knownCodec && record.decodes ? 0 : 1;
    return count;
}

ArchiveCheck checkArchive(const std::string& path, bool quiet, const char* program) {
    // A request to end the program stops the check and removes its scratch files first.
    const platform::EndSignalsHeld held;
    ArchiveCheck check;
    {
        const SilencedErrors silenced(quiet);
        SoundArchive archive;
        if (!archive.open(path))
            return check;
        ScratchFolder scratch;
        if (scratch.path.empty()) {
            check.opened = true;
            check.brokenAt = "no temporary folder for decoding";
            return check;
        }
        check = checkOpenArchive(archive, scratch.path);
    }
    if (platform::endRequested()) {
        std::fprintf(stderr, "%s: stopped by %s; the check of %s was not finished\n", program,
                     platform::endRequestName().c_str(), path.c_str());
        std::fflush(stdout);
        platform::endAsRequested();
    }
    return check;
}
