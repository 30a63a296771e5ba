#include "MediumScript.h"

#include "paths/DrivePath.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "words/ProgramWords.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string drivePathOf(const std::string& nativeFolder) {
    std::string drive = platform::toDrivePath(nativeFolder);
    while (drive.size() > 3 && drive.back() == '\\')
        drive.pop_back();
    return drive;
}

std::string withoutTrailingBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

} // namespace

MediumScript::MediumScript(const std::string& mediumFolder)
    : nativeFolder(fs::absolute(mediumFolder).lexically_normal().string()),
      setupScript(drivePathOf(nativeFolder) + "\\install.ini") {
    const std::string drive = drivePathOf(nativeFolder);
    (void)platform::changeFolder(drive);
    platform::overrideOwnProgramPath(drive + "\\setup.exe");
    found = platform::fileExists(setupScript.path());
    outline = setupScript.sections();
}

const platform::ProfileSectionLines* MediumScript::section(const std::string& name) const {
    for (const auto& section : outline)
        if (platform::equalsIgnoringCase(section.name, name))
            return &section;
    return nullptr;
}

bool MediumScript::hasSection(const std::string& name) const {
    return section(name) != nullptr;
}

bool MediumScript::hasKey(const std::string& sectionName, const std::string& key) const {
    const auto* found = section(sectionName);
    return found && std::any_of(found->keys.begin(), found->keys.end(), [&](const auto& line) {
               return platform::equalsIgnoringCase(line.name, key);
           });
}

int MediumScript::lineOf(const std::string& sectionName, const std::string& key) const {
    const auto* found = section(sectionName);
    if (!found)
        return platform::kLineUnknown;
    for (const auto& line : found->keys)
        if (!key.empty() && platform::equalsIgnoringCase(line.name, key))
            return line.line;
    return found->line;
}

std::vector<std::string> MediumScript::keysOf(const std::string& sectionName) const {
    std::vector<std::string> keys;
    if (const auto* found = section(sectionName))
        for (const auto& line : found->keys)
            keys.push_back(line.name);
    return keys;
}

std::string MediumScript::nativePath(const std::string& relative) const {
    std::string native = relative;
    std::replace(native.begin(), native.end(), '\\', '/');
    return (fs::path(nativeFolder) / native).string();
}

MediumScript::Presence MediumScript::file(const std::string& relative) const {
    std::error_code ignored;
    Presence presence;
    presence.exists = !relative.empty() && platform::fileExists(relative);
    // Any kind of file counts here; whether it can be copied is a check of its own.
    presence.exactCase = presence.exists && fs::exists(nativePath(relative), ignored) &&
                         !fs::is_directory(nativePath(relative), ignored);
    return presence;
}

MediumScript::Presence MediumScript::folder(const std::string& relative) const {
    std::error_code ignored;
    const std::string folder = withoutTrailingBackslash(relative);
    Presence presence;
    presence.exists = !folder.empty() && platform::folderExists(folder);
    presence.exactCase = presence.exists && fs::is_directory(nativePath(folder), ignored);
    return presence;
}

std::string windowsRefusal(const std::string& relative) {
    const RefusedComponent refused = refusedComponent(relative);
    return refused.name.empty()
               ? std::string()
               : refused.name + " " + words::translate(describeNameRefusal(refused.why));
}

std::string copyProblem(const std::string& relative) {
    switch (platform::examineCopySource(relative)) {
    case platform::CopySource::Copyable:
        return {};
    case platform::CopySource::Missing:
        return words::translate("is gone");
    case platform::CopySource::NotAFile:
        return words::translate(
            "is not a regular file (a pipe, a device or a socket): the installer refuses it");
    case platform::CopySource::Unreadable:
        return words::translate("cannot be read: the installer needs its owner's read permission "
                                "and an open for reading");
    }
    return {};
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : ", ") + items[i];
    return text;
}
