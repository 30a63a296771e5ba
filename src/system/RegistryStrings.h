#pragma once
// The installer's three registry operations on string values, and the replacement built on them.
#include "platform/Registry.h"

#include <cstddef>
#include <string>

// A value needs this many bytes or fewer, terminator included, to be read.
constexpr std::size_t kRegistryReadBuffer = 200;

// The value's text into output; false (output unchanged) when the key or value is missing or the
// value does not fit kRegistryReadBuffer.
bool readRegistryString(platform::RegistryHive hive, const std::string& subKey,
                        const std::string& valueName, std::string& output);
// Creates every missing level of the key's path.
bool writeRegistryString(platform::RegistryHive hive, const std::string& subKey,
                         const std::string& valueName, const std::string& value);
bool deleteRegistryValue(platform::RegistryHive hive, const std::string& subKey,
                         const std::string& valueName);

// Read, delete when read, write: the value holds the new text whenever the key can be written.
void replaceRegistryString(platform::RegistryHive hive, const std::string& subKey,
                           const std::string& valueName, const std::string& value);
