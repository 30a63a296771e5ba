#pragma once
#include <string>
#include <windows.h>

namespace platform::win32 {

// True for an existing file with the read-only attribute. Writers check it first, so that such
// a file stays unwritten also where the system would let the administrator write it (Wine run
// as root), as the attribute promises.
bool isReadOnlyFile(const std::wstring& path);

// True for an existing file (not a folder) with any of the attributes. Windows refuses to copy over
// a hidden or read-only file and to create a file over a hidden or system one; Wine lets both
// through, so the writers ask first.
bool fileHasAttribute(const std::wstring& path, DWORD attributes);

} // namespace platform::win32
