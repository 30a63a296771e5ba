#pragma once
// The Wine prefix the installer works on. A Windows product on Linux runs in Wine, in the prefix
// that starts it; installed anywhere else it finds neither its files where its records say nor
// its records. So when the medium's product is a Windows program and Wine is installed, the
// machine is that prefix: its drives, its registry (through Wine), its Windows folder.
// SETUP_DRIVE_TABLE, drives of the user's own choosing, keeps the backend's own mapping.
#include <string>
#include <vector>

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

// Runs a Wine program in the prefix (its name and arguments, as `wine` takes them) without
// Wine's own desktop integration and waits for it; its exit status, or -1 when Wine
// did not start or ended abnormally. `shown` keeps the program's wait view alive meanwhile.
int runWine(const std::string& prefix, const std::vector<std::string>& arguments, bool shown);

// The prefix's folder for the files the installer hands to Wine's programs, as Wine names it and
// as this system does.
inline constexpr const char* kWineScratchFolder = "C:\\windows\\temp";
inline std::string wineScratchNativeFolder(const std::string& prefix) {
    return prefix + "/drive_c/windows/temp";
}

} // namespace platform::posix
