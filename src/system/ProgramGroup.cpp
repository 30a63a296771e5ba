#include "system/ProgramGroup.h"

#include "system/RegistryStrings.h"

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
