#include "platform/posix/machine/ProgramIcon.h"

#include "platform/MadeFiles.h"

#include "platform/posix/CommandRun.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/SearchPath.h"
#include "platform/posix/machine/MenuFolder.h"
#include "platform/posix/machine/XdgFolders.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <vector>

namespace platform::posix {
namespace {

std::vector<std::string> filesIn(const std::string& folder, const std::string& ending) {
    std::vector<std::string> files;
    if (DIR* directory = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(directory)) {
            const std::string name = entry->d_name;
            if (name.size() > ending.size() && name.ends_with(ending))
                files.push_back(folder + "/" + name);
        }
        ::closedir(directory);
    }
    return files;
}

// icotool names each picture "<icon>_<index>_<width>x<height>x<depth>.png".
bool sizeOfPicture(const std::string& file, int& width, int& height, int& depth) {
    const std::string name = file.substr(file.find_last_of('/') + 1);
    const std::size_t last = name.rfind('_');
    return last != std::string::npos &&
           std::sscanf(name.c_str() + last + 1, "%dx%dx%d.png", &width, &height, &depth) == 3;
}

// A name of the icon's own: the program's file name and a hash of its path, so that two products'
// "game.exe" keep their own icons.
std::string iconName(const std::string& program) {
    std::string stem = program.substr(program.find_last_of('/') + 1);
    stem = stem.substr(0, stem.find_last_of('.'));
    for (char& c : stem)
        c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '-';
    return "cd-setup-" + stem.substr(0, 40) + "-" + hashTag(program);
}

} // namespace

std::string installProgramIcon(const std::string& nativeProgram) {
    const std::string wrestool = programOnPath("wrestool");
    const std::string icotool = programOnPath("icotool");
    const std::string data = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    if (wrestool.empty() || icotool.empty() || data.empty())
        return {};
    std::string work = "/tmp/cd-setup-icon-XXXXXX";
    if (!::mkdtemp(work.data()))
        return {};
    std::string name;
    // Group icons (resource type 14), each as a whole icon file.
    if (runCommand(wrestool, {"wrestool", "-x", "-t", "14", "-o", work, nativeProgram}).status == 0) {
        std::vector<std::string> icons = filesIn(work, ".ico");
        std::sort(icons.begin(), icons.end());
        if (!icons.empty() &&
            runCommand(icotool, {"icotool", "-x", "-o", work, icons.front()}).status == 0) {
            // The deepest picture of each size.
            std::map<std::pair<int, int>, std::pair<int, std::string>> best;
            for (const std::string& picture : filesIn(work, ".png")) {
                int width = 0, height = 0, depth = 0;
                if (sizeOfPicture(picture, width, height, depth) && width == height && width > 0 &&
                    depth >= best[{width, height}].first)
                    best[{width, height}] = {depth, picture};
            }
            const std::string candidate = iconName(nativeProgram);
            std::error_code failed;
            for (const auto& [size, picture] : best) {
                const std::string folder = data + "/icons/hicolor/" + std::to_string(size.first) +
                                           "x" + std::to_string(size.second) + "/apps";
                makeFoldersNoted(folder);
                std::filesystem::copy_file(picture.second, folder + "/" + candidate + ".png",
                                           std::filesystem::copy_options::overwrite_existing,
                                           failed);
                if (!failed) {
                    name = candidate;
                    noteMade(Made::Icon, folder + "/" + candidate + ".png");
                }
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    return name;
}

} // namespace platform::posix
