#pragma once
#include <string>

namespace platform {

// The variable's value, or empty when it is not set.
std::string environmentValue(const char* name);
bool hasEnvironmentValue(const char* name);
// This process's id, which no other running process has: names of this run's own files carry it.
unsigned long processId();

} // namespace platform
