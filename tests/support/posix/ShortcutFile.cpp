#include "support/ShortcutFile.h"

#include "support/TempFolder.h"

#include <sstream>

std::filesystem::path shortcutFile(const std::filesystem::path& folder, const std::string& link) {
    const std::string ending = ".lnk";
    if (link.size() >= ending.size() && link.ends_with(ending))
        return folder / (link.substr(0, link.size() - ending.size()) + ".desktop");
    return folder / link;
}

namespace {

// The first word of an Exec line, quoted as the desktop entry writes it, and the rest.
void splitExec(const std::string& exec, ShortcutFields& fields) {
    std::string word;
    std::size_t i = 1;
    for (; exec.size() > 1 && exec[0] == '"' && i < exec.size() && exec[i] != '"'; ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size())
            ++i;
        word += exec[i];
    }
    fields.target = word;
    fields.arguments = i + 2 < exec.size() ? exec.substr(i + 2) : "";
}

} // namespace

bool readShortcut(const std::filesystem::path& file, ShortcutFields& fields) {
    std::istringstream lines(readWholeFile(file));
    std::string line;
    if (!std::getline(lines, line) || line != "[Desktop Entry]")
        return false;
    fields = {};
    while (std::getline(lines, line)) {
        if (line.starts_with("Exec="))
            splitExec(line.substr(5), fields);
        else if (line.starts_with("Path="))
            fields.workFolder = line.substr(5);
        else if (line.starts_with("Comment="))
            fields.description = line.substr(8);
    }
    return true;
}
