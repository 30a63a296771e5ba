#include "support/ShortcutFile.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

std::filesystem::path shortcutFile(const std::filesystem::path& folder, const std::string& link) {
    return folder / std::filesystem::u8path(link);
}

namespace {

std::string utf8(const wchar_t* text) {
    return reinterpret_cast<const char*>(std::filesystem::path(text).u8string().c_str());
}

} // namespace

bool readShortcut(const std::filesystem::path& file, ShortcutFields& fields) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* persist = nullptr;
    bool loaded =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(file.wstring().c_str(), STGM_READ));
    wchar_t text[4][MAX_PATH] = {};
    loaded = loaded && SUCCEEDED(link->GetPath(text[0], MAX_PATH, nullptr, SLGP_RAWPATH)) &&
             SUCCEEDED(link->GetArguments(text[1], MAX_PATH)) &&
             SUCCEEDED(link->GetWorkingDirectory(text[2], MAX_PATH)) &&
             SUCCEEDED(link->GetDescription(text[3], MAX_PATH));
    fields = {text[0], utf8(text[1]), text[2], utf8(text[3])};
    if (persist)
        persist->Release();
    link->Release();
    return loaded;
}
