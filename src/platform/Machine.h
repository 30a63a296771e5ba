#pragma once
// Whether this machine can take the installation at all, before anything is asked or copied.
#include <string>

namespace platform {

// Readies the machine for the medium's product: on Linux, the Wine prefix a Windows product needs
// (made when missing), with the medium the run was started on as its CD-ROM drive. Empty, or why
// the machine cannot take the installation (a prefix that cannot serve, with its reason).
std::string prepareMachine();

// The native folder of the Wine prefix the installation goes into; empty where it goes into the
// machine itself (Windows, or Linux in the installer's own mapping).
std::string winePrefixInUse();
// How an installed product is uninstalled here. On Linux its own uninstaller is a Windows program
// that cannot start without Wine, and knows nothing of the desktop's menu: the menu entry of the
// uninstaller starts this program instead (its drive path; empty on Windows, where the product's
// own uninstaller is the way), and so does the list of installed programs where no Windows
// program reads it (the installer's own mapping, not a Wine prefix).
struct UninstallWay {
    std::string setupProgram;
    bool listRunsSetup = false;
};
UninstallWay uninstallWay();

// Makes the installation's Wine prefix the one given, for work on an installation made before
// (an uninstall), where no medium tells which; nothing on Windows.
void workInWinePrefix(const std::string& nativePrefix);

} // namespace platform
