#pragma once
#include "platform/BoundedRead.h"

#include <string>

namespace platform::win32 {

// readRegularFile on a wide path.
FileReadResult readRegularWideFile(const std::wstring& path, std::size_t limit, std::string& bytes);

} // namespace platform::win32
