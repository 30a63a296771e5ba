#include "system/InstallationRecord.h"

#include "system/RegistryStrings.h"

using platform::RegistryHive;

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
