#include "controls/TestDrives.h"

std::filesystem::path TestDrives::add(char letter, const std::string& type,
                                      const std::string& label, bool compressed) {
    const auto folder = folderOf(letter);
    if (!std::filesystem::exists(folder)) // the system drive's root is there already
        std::filesystem::create_directories(folder);
    drives.push_back({letter, type, folder, label, compressed});
    return folder;
}

void TestDrives::addEmpty(char letter, const std::string& type) {
    drives.push_back({letter, type, {}, {}});
}

void TestDrives::install() {
    machine.reset();
    machine.emplace(temp, drives);
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
