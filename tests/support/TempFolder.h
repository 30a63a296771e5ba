#pragma once
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::string& relative) const { return root / relative; }
    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;

private:
    std::filesystem::path root;
};

// Removes a file or a folder with everything in it, read-only entries included.
void removeTree(const std::filesystem::path& root);
std::string readWholeFile(const std::filesystem::path& path);
// The folder of this room's test data (tests/<room>/data).
std::filesystem::path testDataFolder();
