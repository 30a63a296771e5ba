#pragma once
// Registering a copied installation: uninstall entry, program group with its shortcuts, record.
#include "script/SetupScript.h"
#include "session/SetupSession.h"

#include <string>

// True when the program group and every shortcut were made; the installer's record is then
// written. The uninstall entry is written first whatever follows. Without a readable programs
// folder there is no place for the group, and the registration fails; reason then says why.
bool registerInstallation(const SetupSession& session, const SetupScript& script,
                          const std::string& targetFolder, const std::string& languageSection,
                          std::string* reason = nullptr);

// The company, program or shortcut name that is longer than a file name may be, asked before
// anything is copied, as the group and its shortcuts would fail only after the copy; empty when
// every name fits.
std::string tooLongShortcutName(const SetupSession& session);

// One shortcut file at linkPath starting target; empty arguments, work folder or description
// are left out. True when the file was saved.
bool createShortcut(const std::string& target, const std::string& linkPath,
                    const std::string& arguments, const std::string& workFolder,
                    const std::string& description);

// The product's entry in the local machine's list of installed programs.
// "DisplayName" <- programName and "UninstallString" <- target folder, '\' and the uninstaller's
// name, under uninstallKey. Failures are silent (a user without the right to write the list).
void writeUninstallEntry(const SetupSession& session, const std::string& targetFolder,
                         const std::string& uninstallerName);

// The installer's own record of an installed product, under the current user's registryKey.
// "ProgramPath" <- targetFolder and "Lang" <- languageSection, after a complete registration.
// Always true: a registry write that fails never fails the installation.
bool recordInstallation(const SetupSession& session, const std::string& languageSection);

// "Program" <- folder and "Lang" <- languageSection, when the registration failed. Always true.
bool recordProgramFolder(const SetupSession& session, const std::string& folder,
                         const std::string& languageSection);

// The product's program group: a folder in the current user's Start-menu programs folder.
// The current user's programs folder as the registry's "Shell Folders" list records it.
bool readProgramsFolder(std::string& folder);

// programs\company\program\ with one backslash after the programs folder, as the group is made.
std::string programGroupFolder(const std::string& programsFolder, const std::string& companyName,
                               const std::string& programName);

// The folder with a backslash added unless it ends with one; empty gives a lone backslash.
std::string withTrailingBackslash(const std::string& folder);
