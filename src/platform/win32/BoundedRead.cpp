#include "platform/win32/BoundedRead.h"

#include "platform/win32/WideText.h"

#include <algorithm>
#include <windows.h>

namespace platform {
namespace win32 {

FileReadResult readRegularWideFile(const std::wstring& wide, std::size_t limit, std::string& bytes) {
    bytes.clear();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileReadResult::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileReadResult::Unreadable;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FileReadResult::Unreadable;
    FileReadResult result = FileReadResult::Read;
    LARGE_INTEGER size;
    // Only a disk file has a size; a device or a pipe is not read.
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
        result = FileReadResult::Unreadable;
    } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        result = FileReadResult::TooLarge;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD ask =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            if (!ReadFile(file, bytes.data() + done, ask, &got, nullptr) || got == 0)
                break;
            done += got;
        }
        if (done != bytes.size()) {
            bytes.clear();
            result = FileReadResult::Unreadable;
        }
    }
    CloseHandle(file);
    return result;
}

} // namespace win32

FileReadResult readRegularFile(const std::string& path, std::size_t limit, std::string& bytes) {
    return win32::readRegularWideFile(win32::widePath(path), limit, bytes);
}

} // namespace platform
