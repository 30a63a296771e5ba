#pragma once
// Where the hive files live and how they are read and changed: a reader sees a whole hive as it
// was after some write; writers take turns under a lock, each working on the hive as the last
// writer left it. A parse is reused while the file is unchanged.
#include "platform/Registry.h"
#include "platform/posix/machine/RegistryHiveFile.h"

#include <functional>
#include <string>

namespace platform::posix {

// SETUP_REGISTRY_DIR when set, otherwise "registry" in our folder of the user's configuration
// folder ($XDG_CONFIG_HOME, or ~/.config). Empty when there is no home to put it in.
std::string registryFolder();
std::string hiveFilePath(RegistryHive hive);
// Why the folder cannot hold hives (it is made when missing), or empty.
std::string unusableFolderReason();

// Runs the reader on the hive as it is now; a missing file is an empty hive. False when the file
// cannot be read or is not a registry text (it is then left alone rather than overwritten).
bool readHive(RegistryHive hive, const std::function<void(const RegistryHiveFile&)>& reader);

// Runs the change on the current hive under the hive's lock and saves the result atomically
// (not at all when the file would stay the same). False when the change fails or the hive
// cannot be read or saved.
bool updateHive(RegistryHive hive, const std::function<bool(RegistryHiveFile&)>& change);

} // namespace platform::posix
