#pragma once
// The commands of the sound archive packer. Each prints what it did to standard output, its
// complaints to standard error, and returns true only when everything succeeded.
#include <string>
#include <vector>

bool packArchive(const std::string& archive, const std::vector<std::string>& inputs);
bool listArchive(const std::string& archive);
bool extractArchive(const std::string& archive, const std::string& folder, bool overwrite);
bool verifyArchive(const std::string& archive);
