#pragma once
// The machine's clock as a person reads it.
#include <string>

namespace platform {

// The local time of day to the millisecond: "14:03:07.250".
std::string localTimeOfDay();

} // namespace platform
