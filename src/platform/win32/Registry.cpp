// The system's registry. No handle is held between calls: each call opens the key for what it
// does and closes it again, so a key object never outlives its key's handle.
#include "platform/RegistryBackend.h"

#include "platform/win32/WideText.h"

#include <optional>
#include <windows.h>

namespace platform {
namespace {

// The product's programs are 32-bit: their keys live in the registry's 32-bit view, where they
// look for them, whichever build of this program writes them.
constexpr REGSAM kView = KEY_WOW64_32KEY;

HKEY rootOf(RegistryHive hive) {
    return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Closes a key handle when it goes out of scope.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (handle)
            RegCloseKey(handle);
    }

    bool open(RegistryHive hive, const std::string& path, REGSAM access) {
        return RegOpenKeyExW(rootOf(hive), win32::widen(path).c_str(), 0, access | kView,
                             &handle) == ERROR_SUCCESS;
    }
    bool create(RegistryHive hive, const std::string& path, REGSAM access) {
        return RegCreateKeyExW(rootOf(hive), win32::widen(path).c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, access | kView, nullptr, &handle,
                               nullptr) == ERROR_SUCCESS;
    }
    HKEY get() const { return handle; }

private:
    HKEY handle = nullptr;
};

// A string value's text as stored, or false when it is missing or no string. The size may
// change between the two calls, so the read is repeated then.
bool readString(HKEY key, const std::wstring& name, std::wstring& text) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0, bytes = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            return false;
        // A stored string need not end with its terminator; it ends at the first one.
        buffer.resize(got / sizeof(wchar_t));
        text = buffer.substr(0, buffer.find(L'\0'));
        return true;
    }
    return false;
}

} // namespace

// The system's registry is always there; a key the user may not write fails on its own.
bool commitRegistryWrites(std::string&) {
    return true; // the system's registry keeps each value as it is set
}

std::string registryUnusableReason() {
    return {};
}

namespace registry {

bool keyExists(RegistryHive hive, const std::string& path) {
    OpenKey key;
    return key.open(hive, path, KEY_QUERY_VALUE);
}

bool createKey(RegistryHive hive, const std::string& path) {
    OpenKey key;
    return key.create(hive, path, KEY_QUERY_VALUE | KEY_SET_VALUE);
}

std::optional<std::string> stringValue(RegistryHive hive, const std::string& path,
                                       const std::string& name) {
    OpenKey key;
    std::wstring text;
    if (!key.open(hive, path, KEY_QUERY_VALUE) || !readString(key.get(), win32::widen(name), text))
        return std::nullopt;
    return win32::narrow(text);
}

bool setStringValue(RegistryHive hive, const std::string& path, const std::string& name,
                    const std::string& text) {
    OpenKey key;
    if (!key.open(hive, path, KEY_SET_VALUE))
        return false;
    const std::wstring wide = win32::widen(text);
    const DWORD bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.get(), win32::widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS;
}

bool deleteValue(RegistryHive hive, const std::string& path, const std::string& name) {
    OpenKey key;
    return key.open(hive, path, KEY_SET_VALUE) &&
           RegDeleteValueW(key.get(), win32::widen(name).c_str()) == ERROR_SUCCESS;
}

bool deleteEmptyKey(RegistryHive hive, const std::string& path) {
    DWORD keys = 0, values = 0;
    {
        OpenKey key;
        if (!key.open(hive, path, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS) ||
            RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &keys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
    }
    return keys == 0 && values == 0 &&
           RegDeleteKeyExW(rootOf(hive), win32::widen(path).c_str(), kView, 0) == ERROR_SUCCESS;
}

} // namespace registry
} // namespace platform
