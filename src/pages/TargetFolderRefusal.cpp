#include "pages/TargetFolderRefusal.h"

#include "platform/Paths.h"
#include "paths/DrivePath.h"
#include "words/ProgramWords.h"

std::string targetFolderRefusal(const std::string& tidyPath) {
    if (isDriveRoot(tidyPath))
        return words::translateWith(
            "%1 is the root of a drive: uninstalling the game later could remove everything on "
            "the drive.\nPlease choose a folder on it, such as %1Games.",
            {tidyPath});
    if (platform::isHomeFolder(tidyPath))
        return words::translateWith(
            "%1 is your home folder: uninstalling the game later could remove your own files "
            "with it.\nPlease choose a folder inside it, such as %1\\Games.",
            {tidyPath});
    return {};
}
