#include "platform/Clock.h"

#include <cstdio>
#include <windows.h>

namespace platform {

std::string localTimeOfDay() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", local.wHour, local.wMinute,
                  local.wSecond, local.wMilliseconds);
    return text;
}

} // namespace platform
