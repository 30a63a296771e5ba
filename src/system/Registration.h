#pragma once
// Registering a copied installation: uninstall entry, program group with its shortcuts, record.
#include "script/SetupScript.h"
#include "session/SetupSession.h"

#include <string>

// True when the program group and every shortcut were made; the installer's record is then
// written. The uninstall entry is written first whatever follows. Without a readable programs
// folder there is no place for the group, and the registration fails.
bool registerInstallation(const SetupSession& session, const SetupScript& script,
                          const std::string& targetFolder, const std::string& languageSection);

// One shortcut file at linkPath starting target; empty arguments, work folder or description
// are left out. True when the file was saved.
bool createShortcut(const std::string& target, const std::string& linkPath,
                    const std::string& arguments, const std::string& workFolder,
                    const std::string& description);
