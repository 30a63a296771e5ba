#include "controls/TestDrives.h"

#include "platform/Drives.h"

#include <cstdlib>
#include <fstream>

std::filesystem::path TestDrives::add(char letter, const std::string& type,
                                      const std::string& label, bool compressed) {
    const auto folder = folderOf(letter);
    std::filesystem::create_directories(folder);
    table += std::string(1, letter) + ":|" + type + "|" + folder.string() + "|" + label;
    table += compressed ? "|compressed\n" : "\n";
    return folder;
}

void TestDrives::addEmpty(char letter, const std::string& type) {
    table += std::string(1, letter) + ":|" + type + "|" + (temp / "missing").string() + "\n";
}

void TestDrives::install() {
    installed.reset();
    installed.emplace(temp, table);
}

std::filesystem::path TestDrives::makeFolders(char letter, const std::string& relative) const {
    const auto folder = folderOf(letter) / relative;
    std::filesystem::create_directories(folder);
    return folder;
}

CurrentFolderScope::CurrentFolderScope(const std::filesystem::path& folder)
    : previous(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

CurrentFolderScope::~CurrentFolderScope() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
}
