#pragma once
#include "platform/BoundedRead.h"

#include <functional>
#include <windows.h>

namespace platform::win32 {

// readRegularFile on a wide path; `afterRead`, when given, sees the open file after its last
// read, so that its state then can be taken from the very file that was read.
FileReadResult readRegularWideFile(const std::wstring& path, std::size_t limit, std::string& bytes,
                                   const std::function<void(HANDLE)>& afterRead = {});

} // namespace platform::win32
