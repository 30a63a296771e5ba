#include "system/Registration.h"

#include "paths/FolderPath.h"
#include "paths/PathText.h"
#include "platform/AsciiCase.h"
#include "platform/Machine.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "platform/TextEncoding.h"
#include "session/RunLog.h"
#include "system/RegistryStrings.h"

#include <algorithm>

using platform::RegistryHive;

namespace {

constexpr const char* kUnsafeName =
    "holds a control character or a mark that turns the direction of text";

// One shortcut per row of the table; the first that fails ends the run of rows.
// The uninstaller's shortcut where this program uninstalls (Machine.h): it starts this program on
// the product's name; every other shortcut starts its target.
bool isUninstaller(const ShortcutEntry& row, const std::string& uninstallerName) {
    return !uninstallerName.empty() && platform::equalsIgnoringCase(row.targetName, uninstallerName);
}

bool createShortcuts(const SetupSession& session, const std::string& groupFolder,
                     const std::string& targetFolder, const std::string& uninstallerName,
                     std::string& reason) {
    const platform::UninstallWay way = platform::uninstallWay();
    const std::string base = withTrailingBackslash(targetFolder);
    const int rows = std::clamp(session.shortcutCount, 0, kShortcutRows);
    for (int i = 0; i < rows; ++i) {
        const ShortcutEntry& row = session.shortcuts[static_cast<std::size_t>(i)];
        // A link name that would leave the group ("..\\..\\autostart\\x.lnk") is not the
        // script's to choose: that shortcut is left out and the rows go on.
        if (!isEntryInsideTarget(row.linkName)) {
            runlog::write("shortcut not created",
                          row.linkName + " is not inside the program group");
            continue;
        }
        // A menu entry whose name shows otherwise than it is named is not made either.
        if (platform::holdsUnsafeCharacter(row.linkName)) {
            runlog::write("shortcut not created", row.linkName + " " + kUnsafeName);
            continue;
        }
        const bool throughSetup = !way.setupProgram.empty() && isUninstaller(row, uninstallerName);
        const bool created =
            throughSetup ? createShortcut(way.setupProgram, groupFolder + row.linkName,
                                          "--uninstall \"" + session.programName + "\"", base, "")
                         : createShortcut(base + row.targetName, groupFolder + row.linkName, "",
                                          base, "");
        if (!created) {
            reason = "the shortcut " + groupFolder + row.linkName + " could not be saved";
            return false;
        }
    }
    return true;
}

// Why the company or program name cannot name the group's folders; empty when they can.
std::string groupNameProblem(const SetupSession& session) {
    if (!isEntryInsideTarget(session.companyName) || !isEntryInsideTarget(session.programName))
        return "the company or program name leads out of the Start menu programs folder";
    if (platform::holdsUnsafeCharacter(session.companyName + session.programName))
        return "the company or program name " + std::string(kUnsafeName);
    return {};
}

// Why the group has no folder: the registry that should name the programs folder, a name that
// leaves it, or the folder that could not be made.
std::string missingGroupReason(const SetupSession& session, bool programsFolderRead,
                               const std::string& groupFolder) {
    if (!programsFolderRead) {
        const std::string registry = platform::registryUnusableReason();
        return registry.empty() ? "the registry names no usable Start menu programs folder"
                                : registry;
    }
    if (const std::string problem = groupNameProblem(session); !problem.empty())
        return problem;
    return "the folder " + groupFolder + " could not be made";
}

} // namespace

std::string tooLongShortcutName(const SetupSession& session) {
    for (const std::string& folder : {session.companyName, session.programName})
        if (!platform::groupFolderNameFits(folder))
            return folder;
    const int rows = std::clamp(session.shortcutCount, 0, kShortcutRows);
    for (int i = 0; i < rows; ++i) {
        const std::string& link = session.shortcuts[static_cast<std::size_t>(i)].linkName;
        if (!platform::shortcutNameFits(link.substr(link.find_last_of('\\') + 1)))
            return link;
    }
    return {};
}

bool registerInstallation(const SetupSession& session, const SetupScript& script,
                          const std::string& targetFolder, const std::string& languageSection,
                          std::string* reason) {
    std::string why;
    std::string programsFolder;
    const bool programsFolderRead = readProgramsFolder(programsFolder);
    const std::string uninstallerName = script.readText("Option", "DEINSTALLEXE_NAME");
    const std::string groupFolder =
        programGroupFolder(programsFolder, session.companyName, session.programName);
    writeUninstallEntry(session, targetFolder, uninstallerName);
    // A group formed from an empty programs folder would land in the drive's root, and one whose
    // company or program name climbs out of the programs folder somewhere else entirely.
    if (!programsFolderRead || !groupNameProblem(session).empty() ||
        !createFolderPath(groupFolder)) {
        why = missingGroupReason(session, programsFolderRead, groupFolder);
        runlog::write("program group not created", groupFolder + ": " + why);
    } else {
        runlog::write("program group", groupFolder);
        // The installation is recorded only once the registry holds its values: the product
        // reads them when it starts.
        if (createShortcuts(session, groupFolder, targetFolder, uninstallerName, why) &&
            recordInstallation(session, languageSection) && platform::commitRegistryWrites(why))
            return true;
    }
    if (reason)
        *reason = why;
    return false;
}

bool createShortcut(const std::string& target, const std::string& linkPath,
                    const std::string& arguments, const std::string& workFolder,
                    const std::string& description) {
    const bool created =
        platform::createShellLink(target, linkPath, arguments, workFolder, description);
    runlog::write(created ? "shortcut" : "shortcut not created", linkPath + " -> " + target);
    return created;
}

void writeUninstallEntry(const SetupSession& session, const std::string& targetFolder,
                         const std::string& uninstallerName) {
    // The uninstaller is the product's own, inside its folder: a name that leads elsewhere would
    // have the system's list start some other program.
    if (!isEntryInsideTarget(uninstallerName)) {
        runlog::write("uninstall entry not written",
                      "the uninstaller " + uninstallerName + " is not inside " + targetFolder);
        return;
    }
    // The list is the system's business; a missing entry does not make the installation fail.
    (void)writeRegistryString(RegistryHive::LocalMachine, session.uninstallKey, "DisplayName",
                              session.programName);
    // Where no Windows program reads the list, its command is the one that uninstalls here.
    const platform::UninstallWay way = platform::uninstallWay();
    const std::string command =
        way.listRunsSetup ? "\"" + platform::toNativePath(way.setupProgram) + "\" --uninstall \"" +
                                session.programName + "\""
                          : targetFolder + "\\" + uninstallerName;
    (void)writeRegistryString(RegistryHive::LocalMachine, session.uninstallKey, "UninstallString",
                              command);
}

bool recordInstallation(const SetupSession& session, const std::string& languageSection) {
    replaceRegistryString(RegistryHive::CurrentUser, session.registryKey, "ProgramPath",
                          session.targetFolder);
    replaceRegistryString(RegistryHive::CurrentUser, session.registryKey, "Lang", languageSection);
    return true;
}

bool recordProgramFolder(const SetupSession& session, const std::string& folder,
                         const std::string& languageSection) {
    replaceRegistryString(RegistryHive::CurrentUser, session.registryKey, "Program", folder);
    replaceRegistryString(RegistryHive::CurrentUser, session.registryKey, "Lang", languageSection);
    return true;
}

bool readProgramsFolder(std::string& folder) {
    return readRegistryString(
        platform::RegistryHive::CurrentUser,
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
        folder);
}

std::string programGroupFolder(const std::string& programsFolder, const std::string& companyName,
                               const std::string& programName) {
    return withTrailingBackslash(programsFolder) + companyName + '\\' + programName + '\\';
}

std::string withTrailingBackslash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\')
        return folder;
    return folder + '\\';
}
