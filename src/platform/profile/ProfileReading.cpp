#include "platform/profile/ProfileReading.h"

#include <exception>

namespace platform {

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    const auto reading = readProfile(path);
    return reading ? reading->value(section, key) : std::string();
}

std::vector<ProfileSectionLines> listProfileLines(const std::string& path) {
    const auto reading = readProfile(path);
    return reading ? reading->lines() : std::vector<ProfileSectionLines>();
}

namespace profile {

std::shared_ptr<const ProfileReading>
guardedReading(const std::function<std::shared_ptr<const ProfileReading>()>& read) {
    try {
        return read();
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool guardedWrite(const std::function<bool()>& write) {
    try {
        return write();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace profile
} // namespace platform
