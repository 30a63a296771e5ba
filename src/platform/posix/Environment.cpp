#include "platform/Environment.h"

#include <cstdlib>

namespace platform {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool hasEnvironmentValue(const char* name) {
    return std::getenv(name) != nullptr;
}

} // namespace platform
