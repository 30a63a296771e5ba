#pragma once
#include <string>

namespace platform::win32 {

// True for an existing file with the read-only attribute. Writers check it first, so that such
// a file stays unwritten also where the system would let the administrator write it (Wine run
// as root), as the attribute promises.
bool isReadOnlyFile(const std::wstring& path);

} // namespace platform::win32
