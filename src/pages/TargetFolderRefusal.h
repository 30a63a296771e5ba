#pragma once
// Folders the product is never installed into: a drive's root and the person's home folder. The
// product's own uninstaller removes the folder it was installed into, and with such a target
// everything else the person keeps there.
#include <string>

// Why the tidy full drive path cannot be the target folder, in the run's language; empty when it
// can be.
std::string targetFolderRefusal(const std::string& tidyPath);
