#pragma once
// The few POSIX calls the tests use, for the Windows build of the tests (included into each test
// source by the build). Environment changes go through _putenv_s so that both the C runtime and
// the process environment, which Windows APIs read, see them.
#ifdef _WIN32

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <direct.h>
#include <io.h>
#include <string>
#include <windows.h>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (!overwrite && std::getenv(name))
        return 0;
    // An empty value would remove the variable; Windows has no set-but-empty variables.
    return _putenv_s(name, value) == 0 ? 0 : -1;
}

// Paths' c_str() is wide on Windows.
inline int setenv(const char* name, const wchar_t* value, int overwrite) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, value, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8.data(), size, nullptr, nullptr);
    return setenv(name, utf8.c_str(), overwrite);
}

inline int unsetenv(const char* name) {
    return _putenv_s(name, "") == 0 ? 0 : -1;
}

// Fills the trailing XXXXXX with letters from a counter, the process and the clock.
inline char* mkdtemp(char* pattern) {
    const std::size_t length = std::strlen(pattern);
    if (length < 6)
        return nullptr;
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                                  GetTickCount64() ^ (++counter * 2654435761ULL);
        for (std::size_t i = length - 6; i < length; ++i, seed /= 36)
            pattern[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[seed % 36];
        if (_mkdir(pattern) == 0)
            return pattern;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

// std::system gives the program's exit code itself on Windows.
#ifndef WIFEXITED
#define WIFEXITED(status) ((status) != -1)
#define WEXITSTATUS(status) (status)
#endif

#endif
