#include "platform/Registry.h"

#include "platform/RegistryBackend.h"

namespace platform {

bool deleteEmptyRegistryKey(RegistryHive hive, const std::string& subKey) {
    return registry::deleteEmptyKey(hive, subKey);
}

bool RegistryKey::open(RegistryHive openHive, const std::string& subKey) {
    close();
    return registry::keyExists(openHive, subKey) && holdPlace(openHive, subKey);
}

bool RegistryKey::create(RegistryHive createHive, const std::string& subKey) {
    close();
    return registry::createKey(createHive, subKey) && holdPlace(createHive, subKey);
}

bool RegistryKey::holdPlace(RegistryHive keyHive, const std::string& subKey) {
    hive = keyHive;
    path = subKey;
    opened = true;
    return true;
}

void RegistryKey::close() {
    opened = false;
    path.clear();
}

bool RegistryKey::queryString(const std::string& name, std::string& value,
                              std::size_t bufferSize) const {
    if (!opened)
        return false;
    const std::optional<std::string> stored = registry::stringValue(hive, path, name);
    // The stored length counts the terminator.
    if (!stored || stored->size() + 1 > bufferSize)
        return false;
    value = *stored;
    return true;
}

bool RegistryKey::setString(const std::string& name, const std::string& value) {
    return opened && registry::setStringValue(hive, path, name, value.substr(0, value.find('\0')));
}

bool RegistryKey::deleteValue(const std::string& name) {
    return opened && registry::deleteValue(hive, path, name);
}

} // namespace platform
