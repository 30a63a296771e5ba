#pragma once
// Running Wine's programs in a prefix, and the files handed to them: the one way every part of
// the machine model (the prefix, its registry, its drives) talks to Wine.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace platform::posix {

// Starts a program (its native path) with the arguments (the first its own name) in the prefix
// and waits for it, its output going nowhere; its exit status, or -1 when it did not start or
// ended abnormally. display: whether it may open windows; shown: keep the program's wait view
// alive meanwhile.
int runInPrefix(const std::string& program, std::vector<std::string> arguments,
                const std::string& prefix, bool display, bool shown);

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

// A file of ours in the prefix's temporary folder: Wine's name for it and this system's.
struct WineScratchFile {
    WineScratchFile(const std::string& prefix, const char* purpose) {
        const std::string name = "cd-setup-" + std::to_string(::getpid()) + "-" + purpose + ".reg";
        windowsPath = std::string(kWineScratchFolder) + "\\" + name;
        nativePath = wineScratchNativeFolder(prefix) + "/" + name;
    }
    ~WineScratchFile() { ::unlink(nativePath.c_str()); }
    WineScratchFile(const WineScratchFile&) = delete;
    WineScratchFile& operator=(const WineScratchFile&) = delete;
    std::string windowsPath;
    std::string nativePath;
};

// A text in another encoding (iconv's names); what cannot be converted ends it.
std::string convertText(const std::string& bytes, const char* from, const char* to);
// "1.23 s" since start, for the activity notes.
std::string secondsText(std::chrono::steady_clock::time_point start);

// A key of the prefix's registry as the registry editor exports it, in UTF-8; nothing when the
// key is missing or Wine failed. view32: the 32-bit view, where a 32-bit program's keys are.
std::optional<std::string> exportWineKey(const std::string& prefix, const std::string& fullPath,
                                         bool view32);
// A key of the prefix in its own (64-bit) view, as the registry editor's text ("[HKEY_...]"
// sections in UTF-8), read through Wine; nothing when the key is missing. For Wine's own
// settings, such as its drive types.
std::optional<std::string> readWineKeyText(const std::string& prefix, const std::string& fullPath);

} // namespace platform::posix
