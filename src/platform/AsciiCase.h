#pragma once
// Letter case as the system compares profile, file and registry names here: ASCII letters only.
#include <string>

namespace platform {

// Lower-cases ASCII letters only; other bytes (UTF-8 sequences included) stay.
std::string asciiLower(const std::string& text);
bool equalsIgnoringCase(const std::string& a, const std::string& b);

} // namespace platform
