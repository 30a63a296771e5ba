#pragma once
// Parsed copies of the last few profile files read, each used only while the file on the disk is
// provably the one parsed; reading through the cache gives what reading the file would.
#include "platform/posix/ProfileFileIndex.h"

#include <memory>
#include <string>

namespace platform::posix {

// The parsed file at the native path, read again unless the copy is known unchanged; null when
// the file is missing or cannot be read.
std::shared_ptr<const ProfileIndex> profileIndexOf(const std::string& nativePath);

// Drops every parsed copy; the writer calls it, so its writes are seen by the next read.
void forgetProfileCopies();

} // namespace platform::posix
