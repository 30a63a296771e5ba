#pragma once
// The copy list: the relative source paths that one install mode's section of the setup script
// names, with every folder entry ("data\levels\") expanded into the files directly inside it.
#include <string>
#include <vector>

class SetupScript;

// Fills fileList from the section named installMode ("min", "std" or "max"): its "files" count
// and the numbered keys "0", "1", ... in order, up to the first missing or empty one.
// entryCount receives the "files" value.
void buildFileList(const SetupScript& script, const std::string& installMode,
                   std::vector<std::string>& fileList, int& entryCount);

// Appends the folder entry followed by the name of each file directly inside that folder of the
// installer's folder, in the file system's order; subfolders and "." names are left out.
// Always true: a missing or empty folder adds nothing.
bool listFolderFiles(const std::string& folderEntry, std::vector<std::string>& fileList);

