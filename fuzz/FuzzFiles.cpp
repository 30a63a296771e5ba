#include "FuzzFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

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

} // namespace

const FuzzFiles& prepareFuzzFiles(const std::uint8_t* data, std::size_t size) {
    static ScratchFolder scratch;
    std::error_code ignored;
    fs::remove(scratch.files.output, ignored);
    std::ofstream(scratch.files.input, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return scratch.files;
}

void checkOutcome(const FuzzFiles& files, bool converted) {
    if (fs::exists(files.output) != converted) {
        std::fprintf(stderr, "Conversion %s but the output file %s\n",
                     converted ? "succeeded" : "failed", converted ? "is missing" : "remains");
        std::abort();
    }
}
