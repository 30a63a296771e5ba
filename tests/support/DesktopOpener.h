#pragma once
// A stand-in for the desktop's opener for the length of a test: it records each document or
// folder the program asks the desktop to show, one path per line, as the opener received it. On
// POSIX it is an xdg-open first on the PATH; on Windows it is the Windows folder's explorer (the
// program shows folders with it) and the program that text files are associated with, both the
// recording program.
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

class DesktopOpener {
public:
    // The recorder appends its first argument to the file OPENED_LOG names (Windows only).
    DesktopOpener(const TempFolder& folder, const std::filesystem::path& recorder);
    ~DesktopOpener();
    DesktopOpener(const DesktopOpener&) = delete;
    DesktopOpener& operator=(const DesktopOpener&) = delete;

    // What was opened so far, once something was (the opener is not waited for).
    std::string opened(std::chrono::milliseconds patience = std::chrono::milliseconds(0)) const;
    // The Windows folder the program is given (WINDIR), or empty on POSIX.
    std::filesystem::path windowsFolder() const;

    struct State;

private:
    std::filesystem::path record;
    std::unique_ptr<State> state;
};
