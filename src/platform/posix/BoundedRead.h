#pragma once
#include "platform/BoundedRead.h"

#include <sys/stat.h>

namespace platform::posix {

// Opens a file only when it is a regular file (-1 with errno EINVAL otherwise). O_NONBLOCK keeps
// the open itself from waiting on a named pipe or a device that was put in place after the
// caller looked; the descriptor blocks again afterwards, as a regular file's does.
int openRegular(const std::string& native, int flags, mode_t mode = 0);

// readRegularFile on a native path; `info` receives the file's status after the last read.
FileReadResult readRegularNativeFile(const std::string& nativePath, std::size_t limit,
                                     std::string& bytes, struct stat& info);

} // namespace platform::posix
