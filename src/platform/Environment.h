#pragma once
#include <string>

namespace platform {

// The variable's value, or empty when it is not set.
std::string environmentValue(const char* name);
bool hasEnvironmentValue(const char* name);

} // namespace platform
