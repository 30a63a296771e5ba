#include "system/OwnFolder.h"

#include "platform/Paths.h"

std::string ownProgramFolder() {
    const std::string path = platform::ownProgramPath();
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}
