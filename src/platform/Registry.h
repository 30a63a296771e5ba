#pragma once
// The registry: keys of string values under two hives, as the installer uses them.
#include <cstddef>
#include <string>

namespace platform {

enum class RegistryHive { CurrentUser, LocalMachine };

// Why the registry cannot keep values now ("the registry folder … cannot be made: …"), for a
// message that names the cause; empty when it can.
std::string registryUnusableReason();

// Makes the run's registry writes lasting now, where the backend gathers them (a Wine prefix's
// registry is written through Wine, in one import) and reads them back; false, with the reason,
// when the registry did not take them all. Elsewhere every write lasts at once.
bool commitRegistryWrites(std::string& reason);

// Removes a key that holds neither values nor keys; false when it is missing, holds anything,
// or cannot be removed. A key is never removed with what it holds.
bool deleteEmptyRegistryKey(RegistryHive hive, const std::string& subKey);

// An open key. Key paths are written with backslashes ("Software\Maker\Product"); key and
// value names match without regard to letter case. The empty value name is the key's default.
class RegistryKey {
public:
    // Opens an existing key; false when it is missing.
    bool open(RegistryHive hive, const std::string& subKey);
    // Opens a key, creating every missing level of its path.
    bool create(RegistryHive hive, const std::string& subKey);
    void close();
    bool isOpen() const { return opened; }

    // The value's text when it is a string that fits bufferSize bytes with its terminator;
    // false (value unchanged) otherwise.
    bool queryString(const std::string& name, std::string& value, std::size_t bufferSize) const;
    // Stores a string value; the text ends at its first zero byte, as a stored string does.
    bool setString(const std::string& name, const std::string& value);
    bool deleteValue(const std::string& name);

private:
    bool holdPlace(RegistryHive keyHive, const std::string& subKey);

    RegistryHive hive = RegistryHive::CurrentUser;
    std::string path;
    bool opened = false;
};

} // namespace platform
