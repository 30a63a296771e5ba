#include "system/RegistryStrings.h"

#include "session/RunLog.h"

using platform::RegistryHive;
using platform::RegistryKey;

bool readRegistryString(RegistryHive hive, const std::string& subKey, const std::string& valueName,
                        std::string& output) {
    RegistryKey key;
    if (!key.open(hive, subKey))
        return false;
    return key.queryString(valueName, output, kRegistryReadBuffer);
}

bool writeRegistryString(RegistryHive hive, const std::string& subKey, const std::string& valueName,
                         const std::string& value) {
    RegistryKey key;
    const bool written = key.create(hive, subKey) && key.setString(valueName, value);
    const char* root =
        hive == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
    runlog::write(written ? "registry" : "registry not written",
                  root + subKey + "\\" + valueName + " = " + value);
    return written;
}

bool deleteRegistryValue(RegistryHive hive, const std::string& subKey,
                         const std::string& valueName) {
    RegistryKey key;
    if (!key.open(hive, subKey))
        return false;
    return key.deleteValue(valueName);
}

void replaceRegistryString(RegistryHive hive, const std::string& subKey,
                           const std::string& valueName, const std::string& value) {
    // Each step may fail on its own (no value yet, no right to write); the write decides.
    std::string scratch;
    if (readRegistryString(hive, subKey, valueName, scratch))
        (void)deleteRegistryValue(hive, subKey, valueName);
    (void)writeRegistryString(hive, subKey, valueName, value);
}
