#include "SndPackCommands.h"
#include "SndPackSupport.h"

#include "audio/AudioTranscoder.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

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

bool verifyArchive(const std::string& archive) {
    ScratchFolder scratch;
    if (scratch.path.empty())
        return complain("temporary folder", "cannot be made");
    int records = 0;
    int failures = 0;
    const bool readable = forEachRecord(archive, [&](const SoundArchiveRecord& record) {
        ++records;
        const std::string extension = codecExtension(record.codec);
        const bool good = !extension.empty() && decodes(record, scratch.path);
        failures += good ? 0 : 1;
        std::printf("%-6s %s%s\n", good ? "ok" : "FAILED", record.name.c_str(),
                    extension.empty() ? " (a codec the installer does not convert)" : "");
        return true;
    });
    std::printf("%s: %d records, %d failed\n", archive.c_str(), records, failures);
    return readable && failures == 0;
}
