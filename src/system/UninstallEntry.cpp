#include "system/UninstallEntry.h"

#include "system/RegistryStrings.h"

using platform::RegistryHive;

void writeUninstallEntry(const SetupSession& session, const std::string& targetFolder,
                         const std::string& uninstallerName) {
    // The list is the system's business; a missing entry does not make the installation fail.
    (void)writeRegistryString(RegistryHive::LocalMachine, session.uninstallKey, "DisplayName",
                              session.programName);
    (void)writeRegistryString(RegistryHive::LocalMachine, session.uninstallKey, "UninstallString",
                              targetFolder + "\\" + uninstallerName);
}
