#include "support/DesktopOpener.h"

#include <windows.h>

#include <cstdlib>
#include <optional>

namespace {

// Text files are associated in the machine's classes, which the shell reads (Wine does not merge
// the user's classes into them).
const wchar_t* const kTextClass = L"Software\\Classes\\.txt";
const wchar_t* const kRecorderClass = L"Software\\Classes\\SetupTest.Recorder";

std::optional<std::wstring> defaultValue(const wchar_t* key) {
    wchar_t value[512] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

void setDefaultValue(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

} // namespace

struct DesktopOpener::State {
    std::filesystem::path windows;
    std::optional<std::string> savedWindows;
    std::optional<std::wstring> savedTextClass;
};

DesktopOpener::DesktopOpener(const TempFolder& folder, const std::filesystem::path& recorder)
    : record(folder / "opened.txt"), state(std::make_unique<State>()) {
    state->windows = folder / "windows";
    std::filesystem::create_directories(state->windows);
    std::filesystem::copy_file(recorder, state->windows / "explorer.exe",
                               std::filesystem::copy_options::overwrite_existing);
    if (const char* windows = std::getenv("WINDIR"))
        state->savedWindows = windows;
    setenv("WINDIR", state->windows.c_str(), 1);
    setenv("OPENED_LOG", record.c_str(), 1);
    state->savedTextClass = defaultValue(kTextClass);
    setDefaultValue(kTextClass, L"SetupTest.Recorder");
    setDefaultValue(std::wstring(kRecorderClass) + L"\\shell\\open\\command",
                    L"\"" + std::filesystem::absolute(recorder).wstring() + L"\" \"%1\"");
}

DesktopOpener::~DesktopOpener() {
    if (state->savedWindows)
        setenv("WINDIR", state->savedWindows->c_str(), 1);
    else
        unsetenv("WINDIR");
    unsetenv("OPENED_LOG");
    if (state->savedTextClass)
        setDefaultValue(kTextClass, *state->savedTextClass);
    else
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTextClass);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRecorderClass);
}

std::filesystem::path DesktopOpener::windowsFolder() const {
    return state->windows;
}
