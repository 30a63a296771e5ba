#pragma once
#include "platform/BoundedRead.h"

#include <sys/stat.h>

namespace platform::posix {

// readRegularFile on a native path; `info` receives the file's status after the last read.
FileReadResult readRegularNativeFile(const std::string& nativePath, std::size_t limit,
                                     std::string& bytes, struct stat& info);

} // namespace platform::posix
