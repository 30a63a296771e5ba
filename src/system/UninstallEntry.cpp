#include "system/UninstallEntry.h"

#include "copy/CopyPaths.h"
#include "session/RunLog.h"
#include "system/RegistryStrings.h"

using platform::RegistryHive;

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
    (void)writeRegistryString(RegistryHive::LocalMachine, session.uninstallKey, "UninstallString",
                              targetFolder + "\\" + uninstallerName);
}
