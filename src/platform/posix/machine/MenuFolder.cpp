#include "platform/posix/machine/MenuFolder.h"

#include "platform/MadeFiles.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/machine/XdgFolders.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace platform::posix {
namespace {

bool writeMenuFile(const std::string& path, const std::string& text) {
    if (!writeFileAtomically(path, text, 0644))
        return false;
    noteMade(Made::MenuFolder, path);
    return true;
}

// Menu files are XML: names are written as its text.
std::string xmlText(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string entryValue(const std::string& text) {
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\\n") : c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// A file name of the group's own for the menu files: its path under the applications folder.
std::string fileNameOf(const std::string& relative) {
    std::string name = "cd-setup-";
    for (const char c : relative)
        name += c == '/' || c == ' ' ? '-' : c;
    return name;
}

} // namespace

void makeFoldersNoted(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (::mkdir(level.c_str(), 0755) == 0)
            noteMade(Made::Folder, level);
        if (slash == std::string::npos)
            return;
    }
}

std::string applicationsFolder() {
    const std::string data = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? std::string() : data + "/applications";
}

bool showGroupAsMenuFolder(const std::string& nativeEntry) {
    const std::string applications = applicationsFolder();
    const std::string group = nativeEntry.substr(0, nativeEntry.find_last_of('/'));
    if (applications.empty() || group.size() <= applications.size() + 1 ||
        group.compare(0, applications.size() + 1, applications + "/") != 0)
        return true;
    const std::string relative = group.substr(applications.size() + 1);
    const std::string groupName = relative.substr(relative.find_last_of('/') + 1);
    // Desktop file ids: the path under the applications folder, '/' as '-'.
    std::string idPrefix = relative;
    std::replace(idPrefix.begin(), idPrefix.end(), '/', '-');
    std::vector<std::string> ids;
    if (DIR* folder = ::opendir(group.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string name = entry->d_name;
            if (name.size() > 8 && name.ends_with(".desktop"))
                ids.push_back(idPrefix + "-" + name);
        }
        ::closedir(folder);
    }
    std::sort(ids.begin(), ids.end());
    const std::string data = xdgBaseFolder("XDG_DATA_HOME", ".local/share");
    const std::string config = xdgBaseFolder("XDG_CONFIG_HOME", ".config");
    if (data.empty() || config.empty())
        return false;
    const std::string name = fileNameOf(relative);
    makeFoldersNoted(data + "/desktop-directories");
    makeFoldersNoted(config + "/menus/applications-merged");
    const std::string directory = "[Desktop Entry]\nType=Directory\nName=" + entryValue(groupName) +
                                  "\nIcon=folder\n";
    // The desktops' menu readers take the file without a document type declaration.
    std::string menu = "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n"
                       "    <Name>" + xmlText(groupName) + "</Name>\n"
                       "    <Directory>" + xmlText(name) + ".directory</Directory>\n    <Include>\n";
    for (const std::string& id : ids)
        menu += "      <Filename>" + xmlText(id) + "</Filename>\n";
    menu += "    </Include>\n  </Menu>\n</Menu>\n";
    return writeMenuFile(data + "/desktop-directories/" + name + ".directory", directory) &&
           writeMenuFile(config + "/menus/applications-merged/" + name + ".menu", menu);
}

} // namespace platform::posix
