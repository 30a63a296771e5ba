#pragma once
// The installer's own record of an installed product, under the current user's registryKey.
#include "session/SetupSession.h"

#include <string>

// "ProgramPath" <- targetFolder and "Lang" <- languageSection, after a complete registration.
// Always true: a registry write that fails never fails the installation.
bool recordInstallation(const SetupSession& session, const std::string& languageSection);

// "Program" <- folder and "Lang" <- languageSection, when the registration failed. Always true.
bool recordProgramFolder(const SetupSession& session, const std::string& folder,
                         const std::string& languageSection);
