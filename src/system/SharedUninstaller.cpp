#include "system/SharedUninstaller.h"

#include "platform/Environment.h"
#include "journal/InstallJournal.h"
#include "journal/JournalRecords.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "session/RunLog.h"
#include "paths/DrivePath.h"

#include <string>

void installSharedUninstaller() {
    const std::string windowsFolder = platform::environmentValue("WINDIR");
    // An empty prefix would put "TL" into the root of the current drive.
    if (windowsFolder.empty())
        return;
    const std::string sharedFolder = windowsFolder + "\\TL";
    // Only this last level is made; an existing folder is fine.
    (void)platform::makeFolder(sharedFolder);
    const std::string source = ownProgramFolder() + "\\Ulvarest.exe";
    const std::string destination = sharedFolder + "\\Ulvarest.exe";
    // Clearing read-only before and after: a copy left by an earlier installation must yield,
    // and the copy carries the medium's read-only flag. Failures leave the old copy; no report.
    (void)platform::setFileAttributes(destination, platform::kAttributeArchive);
    const bool copied = platform::copyFile(source, destination, false);
    (void)platform::setFileAttributes(destination, platform::kAttributeArchive);
    runlog::write("finishing",
                  (copied ? "shared uninstaller copied: " : "shared uninstaller not copied: ") +
                      destination);
    if (copied)
        journal::filePlaced(journal::role::kShared, platform::toNativePath(destination));
}
