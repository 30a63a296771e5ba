#pragma once
// The product's entry in the local machine's list of installed programs.
#include "session/SetupSession.h"

#include <string>

// "DisplayName" <- programName and "UninstallString" <- target folder, '\' and the uninstaller's
// name, under uninstallKey. Failures are silent (a user without the right to write the list).
void writeUninstallEntry(const SetupSession& session, const std::string& targetFolder,
                         const std::string& uninstallerName);
