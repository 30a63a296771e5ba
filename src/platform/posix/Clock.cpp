#include "platform/Clock.h"

#include <cstdio>
#include <ctime>
#include <sys/time.h>

namespace platform {

std::string localTimeOfDay() {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(now.tv_usec / 1000));
    return text;
}

} // namespace platform
