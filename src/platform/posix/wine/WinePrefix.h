#pragma once
// The Wine prefix the installer works on. A Windows product on Linux runs in Wine, in the prefix
// that starts it; installed anywhere else it finds neither its files where its records say nor
// its records. So when the medium's product is a Windows program and Wine is installed, the
// machine is that prefix: its drives, its registry (through Wine), its Windows folder.
// SETUP_DRIVE_TABLE, drives of the user's own choosing, keeps the backend's own mapping.
#include <string>

namespace platform::posix {

// The prefix's native folder ($WINEPREFIX, else ~/.wine), made with Wine's own tool first when
// it is missing; empty when the installer does not work on a Wine prefix. Decided once a run.
const std::string& winePrefix();

// Why the Wine prefix the medium's Windows product needs cannot serve (a file, another user's, a
// registry Wine cannot read, a folder where none can be made, Wine failing to make it); empty
// when it can or when none is needed. The installer then does not work on it at all: it never
// falls back to another prefix or to the mapping of its own behind the person's back.
const std::string& winePrefixProblem();

// Whether the setup script in the native medium folder names a Windows program on the medium as
// a shortcut's target (a "File<n>" key of any section).
bool holdsWindowsProduct(const std::string& mediumFolder);

} // namespace platform::posix
