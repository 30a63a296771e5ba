#pragma once
// What a folder tree holds, to tell afterwards which entries a run made or changed.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

class TreeSnapshot {
public:
    explicit TreeSnapshot(const std::filesystem::path& root);

    // The entries (files, folders, links) that are new or whose size or time changed since.
    std::vector<std::filesystem::path> changedSince(const TreeSnapshot& before) const;

private:
    struct Entry {
        bool folder = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
    };
    std::map<std::filesystem::path, Entry> entries;
};

// Whether the path is the folder or lies inside it (lexically, both absolute).
bool liesInside(const std::filesystem::path& path, const std::filesystem::path& folder);
