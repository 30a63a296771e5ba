// The profile reader and writer on any bytes: no crash, leak or hang; a written key reads back
// as written, other keys read as before, and nothing is left beside the file.
#include "platform/ProfileFile.h"
#include "platform/TextEncoding.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Workspace {
    Workspace() {
        root = fs::temp_directory_path() /
               ("fuzz-profile-" + std::to_string(std::rand()) + "-" +
                std::to_string(fs::file_time_type::clock::now().time_since_epoch().count()));
        fs::create_directories(root);
        file = root / "install.ini";
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    fs::path root;
    fs::path file;
};

Workspace& workspace() {
    static Workspace instance;
    return instance;
}

void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// Names the seeds use, so mutations meet existing sections and keys.
const char* const kSections[] = {"Option", "English", "s"};
const char* const kKeys[] = {"Language", "IDS_DALEJ", "k", "0"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace& space = workspace();
    std::ofstream(space.file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const std::string path = space.file.string();

    std::string before[3][4];
    for (int s = 0; s < 3; ++s)
        for (int k = 0; k < 4; ++k) {
            before[s][k] = platform::readProfileString(path, kSections[s], kKeys[k]);
            if (before[s][k].size() > 259 * 4)
                fail("value longer than 259 characters", before[s][k]);
        }
    // The first byte picks the key to write; the others then read as before.
    const int section = size ? data[0] % 3 : 0, key = size ? data[0] / 3 % 4 : 0;
    if (platform::writeProfileString(path, kSections[section], kKeys[key], "written")) {
        // A file is taken for UTF-8 when all of it is; replacing the one value that was not
        // changes how every other value reads.
        std::ifstream in(space.file, std::ios::binary);
        const std::string after{std::istreambuf_iterator<char>(in), {}};
        const bool sameEncoding =
            platform::isValidUtf8(after) ==
            platform::isValidUtf8(std::string(reinterpret_cast<const char*>(data), size));
        for (int s = 0; s < 3; ++s)
            for (int k = 0; k < 4; ++k) {
                const bool same = s == section && k == key;
                if (!same && !sameEncoding)
                    continue;
                const std::string now = platform::readProfileString(path, kSections[s], kKeys[k]);
                if (now != (same ? std::string("written") : before[s][k]))
                    fail(same ? "written key reads" : "other key changed", now);
            }
    }
    for (const auto& entry : fs::directory_iterator(space.root))
        if (entry.path() != space.file)
            fail("left beside the file", entry.path().string());
    return 0;
}
