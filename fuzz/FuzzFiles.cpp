#include "FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ogg/ogg.h>
#include <random>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Removes the scratch folder when the process ends normally.
struct ScratchFolder {
    ScratchFolder() {
        std::random_device random;
        path = fs::temp_directory_path() / ("setup-fuzz-" + std::to_string(random()));
        fs::create_directories(path);
        files.input = (path / "input.bin").string();
        files.output = (path / "output.wav").string();
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
    FuzzFiles files;
};

constexpr std::size_t kPageHeaderBytes = 27;

// The bytes of the whole page starting at `at`, or 0 when none starts there.
std::size_t pageLength(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (bytes.size() - at < kPageHeaderBytes || std::memcmp(&bytes[at], "OggS", 4) != 0) {
        return 0;
    }
    const std::size_t segments = bytes[at + 26];
    const std::size_t headerBytes = kPageHeaderBytes + segments;
    if (bytes.size() - at < headerBytes) {
        return 0;
    }
    std::size_t bodyBytes = 0;
    for (std::size_t i = 0; i < segments; ++i) {
        bodyBytes += bytes[at + kPageHeaderBytes + i];
    }
    return bytes.size() - at < headerBytes + bodyBytes ? 0 : headerBytes + bodyBytes;
}

// Mutations nearly always break a page's checksum, and the Ogg layer then drops the page before
// any decoder sees it; setting the checksums right lets the mutations reach the decoders.
void repairPageChecksums(std::vector<std::uint8_t>& bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = pageLength(bytes, at);
        if (length == 0) {
            ++at;
            continue;
        }
        const std::size_t headerBytes = kPageHeaderBytes + bytes[at + 26];
        ogg_page page{&bytes[at], static_cast<long>(headerBytes), &bytes[at] + headerBytes,
                      static_cast<long>(length - headerBytes)};
        ogg_page_checksum_set(&page);
        at += length;
    }
}

} // namespace

const FuzzFiles& prepareFuzzFiles(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    std::error_code ignored;
    fs::remove(scratch.files.output, ignored);
    std::vector<std::uint8_t> bytes(data, data + size);
    repairPageChecksums(bytes);
    std::ofstream(scratch.files.input, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
    return scratch.files;
}

void checkOutcome(const FuzzFiles& files, bool converted) {
    if (fs::exists(files.output) != converted) {
        std::fprintf(stderr, "Conversion %s but the output file %s\n",
                     converted ? "succeeded" : "failed", converted ? "is missing" : "remains");
        std::abort();
    }
}
