// The .snd archive reader and record extraction on any bytes: no crash, leak or hang, and
// nothing written anywhere but WAVE files in the target's folder for the archive.
#include "copy/ArchiveRecordExtraction.h"
#include "copy/SoundArchive.h"
#include "platform/Paths.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct Workspace {
    Workspace() {
        root = fs::temp_directory_path() /
               ("fuzz-archive-" + std::to_string(std::rand()) + "-" +
                std::to_string(fs::file_time_type::clock::now().time_since_epoch().count()));
        fs::create_directories(root / "target" / "sounds");
        targetFolder = platform::toDrivePath((root / "target").string());
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    fs::path root;
    std::string targetFolder;
};

Workspace& workspace() {
    static Workspace instance;
    return instance;
}

// Everything in the workspace must be the archive itself, the two folders, or a WAVE file in
// the sounds folder; anything else is a write outside the target or a left-over temporary file.
void checkAndClean(const Workspace& space) {
    const fs::path sounds = space.root / "target" / "sounds";
    for (const auto& item : fs::recursive_directory_iterator(space.root)) {
        const fs::path& path = item.path();
        if (path == space.root / "archive.snd" || path == space.root / "target" || path == sounds)
            continue;
        if (path.parent_path() != sounds || path.extension() != ".wav") {
            std::fprintf(stderr, "unexpected file left behind: %s\n", path.c_str());
            std::abort();
        }
    }
    for (const auto& item : fs::directory_iterator(sounds))
        fs::remove_all(item.path());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Workspace& space = workspace();
    const fs::path archivePath = space.root / "archive.snd";
    std::ofstream(archivePath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    SoundArchive archive;
    if (!archive.open(archivePath.string()))
        std::abort();
    // Every record takes at least 12 bytes, so this loop ends by itself; the bound says so.
    for (std::size_t records = 0; !archive.atEnd() && records <= size / 12; ++records)
        if (!extractArchiveRecord(archive, space.targetFolder, "sounds\\speech.snd").succeeded())
            break;
    archive.close();
    checkAndClean(space);
    return 0;
}
