// A shortcut is the shell's own link file, made by the shell link object and saved through its
// persist-file interface.
#include "platform/ShellLink.h"

#include "platform/MadeFiles.h"
#include "platform/win32/WideText.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

namespace platform {
namespace {

// COM is initialised once for the program's thread and stays so until the program ends (the
// toolkit may have done it already, which is fine).
bool comReady() {
    static const bool ready = [] {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // S_FALSE: it was already; RPC_E_CHANGED_MODE: the thread has it in the other model.
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
    }();
    return ready;
}

// Releases an interface when it goes out of scope.
template <typename Interface> class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer)
            pointer->Release();
    }
    Interface* operator->() const { return pointer; }
    void** outVoid() { return reinterpret_cast<void**>(&pointer); }

private:
    Interface* pointer = nullptr;
};

} // namespace

bool createShellLink(const std::string& target, const std::string& linkPath,
                     const std::string& arguments, const std::string& workFolder,
                     const std::string& description) {
    const std::wstring wideTarget = win32::widePath(target);
    const std::wstring wideLink = win32::widePath(linkPath);
    if (wideTarget.empty() || wideLink.empty() || wideLink.back() == L'\\' || !comReady())
        return false;
    ComPointer<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.outVoid())))
        return false;
    if (FAILED(link->SetPath(wideTarget.c_str())))
        return false;
    if (!arguments.empty() && FAILED(link->SetArguments(win32::widen(arguments).c_str())))
        return false;
    if (!workFolder.empty() &&
        FAILED(link->SetWorkingDirectory(win32::widePath(workFolder).c_str())))
        return false;
    if (!description.empty() && FAILED(link->SetDescription(win32::widen(description).c_str())))
        return false;
    ComPointer<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())))
        return false;
    if (FAILED(file->Save(wideLink.c_str(), TRUE)))
        return false;
    noteMade(Made::MenuEntry, linkPath);
    return true;
}

// NTFS and FAT take 255 UTF-16 units in one name.
bool shortcutNameFits(const std::string& name) {
    return win32::widen(name).size() <= 255;
}

bool groupFolderNameFits(const std::string& name) {
    return win32::widen(name).size() <= 255;
}

} // namespace platform
