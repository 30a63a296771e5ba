#pragma once
// What each system's registry gives RegistryKey (Registry.h), which keeps the key's place and the
// rules of its calls once for all systems. Paths and names as RegistryKey takes them.
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace platform::registry {

// Whether the key is there (the hive's root always is).
bool keyExists(RegistryHive hive, const std::string& path);
// Makes the key and every missing level of its path; true when it is there afterwards.
bool createKey(RegistryHive hive, const std::string& path);
// The text of a string value as stored; nothing when it is missing or no string.
std::optional<std::string> stringValue(RegistryHive hive, const std::string& path,
                                       const std::string& name);
// The text holds no zero byte.
bool setStringValue(RegistryHive hive, const std::string& path, const std::string& name,
                    const std::string& text);
bool deleteValue(RegistryHive hive, const std::string& path, const std::string& name);
// The key, when it holds neither values nor keys.
bool deleteEmptyKey(RegistryHive hive, const std::string& path);

} // namespace platform::registry
