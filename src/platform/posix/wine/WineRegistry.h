#pragma once
// The registry of the Wine prefix the installer works on (WinePrefix.h), reached only through
// Wine's own "reg" program: the running Wine server owns the prefix's registry files, and a file
// changed behind its back is overwritten by the server or read half-written. A key is read whole,
// once, in the 32-bit view that the product (a 32-bit Windows program) reads; changes are gathered
// and handed to Wine together, as one import, before any program starts and when the installer
// ends. Reads see the gathered changes.
#include "platform/Registry.h"

#include <optional>
#include <string>

namespace platform::posix {

bool wineHasKey(RegistryHive hive, const std::string& path);
std::optional<std::string> wineStringValue(RegistryHive hive, const std::string& path,
                                           const std::string& name);
bool wineHasValue(RegistryHive hive, const std::string& path, const std::string& name);

// Gathered for the import; false for a name that no registry file can hold.
bool wineCreateKey(RegistryHive hive, const std::string& path);
bool wineSetString(RegistryHive hive, const std::string& path, const std::string& name,
                   const std::string& value);
// False when the value is missing.
bool wineDeleteValue(RegistryHive hive, const std::string& path, const std::string& name);

// Gathered as the key's removal, when the prefix's key holds neither values nor keys.
bool wineDeleteEmptyKey(RegistryHive hive, const std::string& path);

// Hands the gathered changes to Wine in one import; true when there were none or Wine took them.
bool importWineRegistryChanges();
// The import, then every value read back from the prefix; false, with the reason, when Wine
// refused the import or does not hold a value as it was written.
bool commitWineRegistryChanges(std::string& reason);

} // namespace platform::posix
