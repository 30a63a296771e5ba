#include "platform/Environment.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace platform {
namespace {

// The variable's value, or false when it is not set; an empty value is set.
bool readVariable(const char* name, std::wstring& value) {
    const std::wstring wideName = win32::widen(name);
    for (DWORD size = 256;;) {
        value.assign(size, L'\0');
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
        if (length == 0) {
            value.clear();
            return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
        }
        if (length < size) {
            value.resize(length);
            return true;
        }
        size = length; // the size needed, terminator included
    }
}

} // namespace

std::string environmentValue(const char* name) {
    std::wstring value;
    return readVariable(name, value) ? win32::narrow(value) : std::string();
}

bool hasEnvironmentValue(const char* name) {
    std::wstring value;
    return readVariable(name, value);
}

unsigned long processId() {
    return GetCurrentProcessId();
}

} // namespace platform
