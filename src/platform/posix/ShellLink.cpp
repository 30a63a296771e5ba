// A shortcut is a freedesktop desktop entry; the desktop's menu lists the entries found in the
// applications folder and its subfolders.
#include "platform/ShellLink.h"

#include "platform/MadeFiles.h"
#include "platform/Paths.h"
#include "platform/posix/AtomicFile.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/OwnExecutable.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/machine/MenuFolder.h"
#include "platform/posix/machine/ProgramIcon.h"
#include "platform/posix/wine/WindowsProgram.h"
#include "platform/posix/wine/WinePrefix.h"

#include <cctype>
#include <climits>
#include <sys/stat.h>
#include <vector>

namespace platform {
namespace {

// The general escapes of a desktop entry's string values.
std::string escapedValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// One word of Exec, always quoted: inside quotes '"', '`', '$' and '\' take a backslash, and
// '%' is doubled so that it is no field code. The general escapes apply on top (escapedValue).
std::string quotedExecWord(const std::string& word) {
    std::string out = "\"";
    for (char c : word) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    return out + "\"";
}

std::vector<std::string> argumentWords(const std::string& arguments) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

bool endsWithNoCase(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           posix::asciiLower(text.substr(text.size() - ending.size())) == ending;
}

// The link's own name: its file name without the folder and the ".lnk" ending.
std::string displayName(const std::string& linkPath) {
    std::string name = linkPath.substr(linkPath.find_last_of("\\/") + 1);
    if (endsWithNoCase(name, ".lnk"))
        name.resize(name.size() - 4);
    return name;
}

// A file that nobody may run (a readme, a manual) is a document: the desktop opens it with the
// program that shows such files, as a shortcut to a document does on the system this was made for.
bool isDocument(const std::string& nativeTarget) {
    struct stat info;
    return stat(nativeTarget.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0;
}

// What the entry's command starts the target with. A Windows program starts through Wine when
// it is installed (whatever its permission bits, which a medium seldom sets), in the prefix the
// installer worked on when it did, which the desktop's own environment may not name; without
// Wine the entry is what it always was.
std::string starterOf(const std::string& nativeTarget) {
    if (posix::isWindowsProgram(nativeTarget) && !posix::wineProgram().empty()) {
        const std::string& prefix = posix::winePrefix();
        if (prefix.empty())
            return "wine ";
        const std::string wine = "env " + quotedExecWord("WINEPREFIX=" + prefix) + " wine ";
        // Installed from a disc image, the game finds its disc only while the image is mounted:
        // its entry mounts it for as long as the game runs.
        const posix::StartedMedium* medium = posix::startedMedium();
        const std::string own = posix::ownExecutable();
        if (!medium || medium->image.empty() || own.empty())
            return wine;
        return quotedExecWord(own) + " --with-disc " + quotedExecWord(medium->image) + " -- " +
               wine;
    }
    return isDocument(nativeTarget) ? "xdg-open " : "";
}

// The entry's icon: a Windows program's own, put into the icon theme; else the theme's icon of a
// document or of a program.
std::string iconOf(const std::string& nativeTarget) {
    if (posix::isWindowsProgram(nativeTarget))
        if (std::string own = posix::installProgramIcon(nativeTarget); !own.empty())
            return own;
    return isDocument(nativeTarget) ? "text-x-generic" : "application-x-executable";
}

std::string desktopEntry(const std::string& target, const std::string& linkPath,
                         const std::string& arguments, const std::string& workFolder,
                         const std::string& description) {
    const std::string nativeTarget = toNativePath(target);
    std::string starter = starterOf(nativeTarget);
    // GLib looks up the program as written, before "%%" becomes '%': a program whose path holds
    // a percent sign starts through env, which GLib finds.
    if (starter.empty() && nativeTarget.find('%') != std::string::npos)
        starter = "env ";
    std::string exec = starter + quotedExecWord(nativeTarget);
    for (const auto& word : argumentWords(arguments))
        exec += " " + quotedExecWord(word);
    std::string entry = "[Desktop Entry]\nType=Application\n";
    entry += "Name=" + escapedValue(displayName(linkPath)) + "\n";
    entry += "Exec=" + escapedValue(exec) + "\n";
    if (!workFolder.empty())
        entry += "Path=" + escapedValue(toNativePath(workFolder)) + "\n";
    if (!description.empty())
        entry += "Comment=" + escapedValue(description) + "\n";
    entry += "Icon=" + escapedValue(iconOf(nativeTarget)) + "\n";
    // The program group's entries are the product's, a game.
    entry += "Categories=Game;\n";
    // Wine names a program's windows after its file: a dock then groups them with the entry.
    if (posix::isWindowsProgram(nativeTarget) && !posix::wineProgram().empty()) {
        std::string windowClass = nativeTarget.substr(nativeTarget.find_last_of('/') + 1);
        for (char& c : windowClass)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        entry += "StartupWMClass=" + escapedValue(windowClass) + "\n";
    }
    return entry;
}

} // namespace

bool createShellLink(const std::string& target, const std::string& linkPath,
                     const std::string& arguments, const std::string& workFolder,
                     const std::string& description) {
    std::string file = linkPath;
    if (endsWithNoCase(file, ".lnk"))
        file.replace(file.size() - 4, 4, ".desktop");
    const std::string nativeFile = toNativePath(file);
    const std::string nativeTarget = toNativePath(target);
    if (nativeFile.empty() || nativeTarget.empty() || nativeFile.back() == '/')
        return false;
    if (!posix::writeFileAtomically(
            nativeFile, desktopEntry(target, linkPath, arguments, workFolder, description), 0644))
        return false;
    noteMade(Made::MenuEntry, nativeFile);
    return posix::showGroupAsMenuFolder(nativeFile);
}

namespace {

// Beside the entry's own name the desktop files take a longer one: ".desktop" for ".lnk", the
// temporary name the file is written under first, and the menu's ids that join the group's
// folder names; this leaves them room within the file system's limit.
constexpr std::size_t kNameRoom = 32;

bool fitsWithRoom(const std::string& name) {
    return name.size() + kNameRoom <= NAME_MAX;
}

} // namespace

bool shortcutNameFits(const std::string& name) {
    return fitsWithRoom(name);
}

bool groupFolderNameFits(const std::string& name) {
    return fitsWithRoom(name);
}

} // namespace platform
