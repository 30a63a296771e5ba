#include "platform/posix/disc/Mounts.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>

namespace platform::posix {
namespace {

// The mount table's escapes (\040 for a blank) turned back into bytes.
std::string unescapeMountField(const std::string& field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() &&
            std::isdigit(static_cast<unsigned char>(field[i + 1]))) {
            text += static_cast<char>(std::strtol(field.substr(i + 1, 3).c_str(), nullptr, 8));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

} // namespace

std::vector<Mount> readMounts() {
    std::vector<Mount> mounts;
    std::ifstream table("/proc/self/mounts");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        Mount mount;
        if (fields >> mount.device >> mount.folder >> mount.type) {
            mount.device = unescapeMountField(mount.device);
            mount.folder = unescapeMountField(mount.folder);
            mounts.push_back(mount);
        }
    }
    return mounts;
}

std::optional<Mount> mountHolding(const std::string& folder) {
    std::optional<Mount> best;
    for (const Mount& mount : readMounts()) {
        const std::string& root = mount.folder;
        const bool inside =
            folder == root || root == "/" ||
            (folder.compare(0, root.size(), root) == 0 && folder[root.size()] == '/');
        if (inside && (!best || root.size() >= best->folder.size()))
            best = mount;
    }
    return best;
}

bool isOptical(const std::string& type) {
    // A disc image the person mounted in user space is a disc too.
    return type == "iso9660" || type == "udf" || type == "fuse.fuseiso";
}

// The label that /dev/disk/by-label gives the device ("\x20" escapes decoded).
std::string labelOfDevice(const std::string& device) {
    char wanted[PATH_MAX];
    if (!realpath(device.c_str(), wanted))
        return {};
    DIR* labels = opendir("/dev/disk/by-label");
    if (!labels)
        return {};
    std::string label;
    while (const dirent* entry = readdir(labels)) {
        char target[PATH_MAX];
        const std::string link = std::string("/dev/disk/by-label/") + entry->d_name;
        if (entry->d_name[0] != '.' && realpath(link.c_str(), target) &&
            std::string(target) == wanted) {
            const std::string raw = entry->d_name;
            for (std::size_t i = 0; i < raw.size(); ++i) {
                if (raw.compare(i, 2, "\\x") == 0 && i + 3 < raw.size()) {
                    label +=
                        static_cast<char>(std::strtol(raw.substr(i + 2, 2).c_str(), nullptr, 16));
                    i += 3;
                } else {
                    label += raw[i];
                }
            }
            break;
        }
    }
    closedir(labels);
    return label;
}

} // namespace platform::posix
