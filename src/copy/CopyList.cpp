#include "copy/CopyList.h"

#include "platform/Files.h"
#include "platform/Paths.h"
#include "paths/DrivePath.h"
#include "script/SetupScript.h"

void buildFileList(const SetupScript& script, const std::string& installMode,
                   std::vector<std::string>& fileList, int& entryCount) {
    entryCount = script.readCount(installMode, "files");
    for (int i = 0; i < entryCount; ++i) {
        const std::string entry = script.readText(installMode, SetupScript::indexedKey("%d", i));
        // The list ends at the first missing entry: a nameless entry could only fail with a
        // message that names nothing, and a huge "files" count would look for billions of
        // keys.
        if (entry.empty())
            break;
        if (entry.back() == '\\')
            listFolderFiles(entry, fileList);
        else
            fileList.push_back(entry);
    }
}

bool listFolderFiles(const std::string& folderEntry, std::vector<std::string>& fileList) {
    std::string pattern = ownProgramFolder();
    if (pattern.empty() || pattern.back() != '\\')
        pattern += '\\';
    pattern += folderEntry + "*.*";
    std::vector<platform::FoundFile> found;
    if (!platform::findFiles(pattern, found))
        return true;
    for (const auto& item : found) {
        if (item.name.empty() || item.name.back() == '.')
            continue;
        if (item.attributes & platform::kAttributeDirectory)
            continue;
        fileList.push_back(folderEntry + item.name);
    }
    return true;
}

