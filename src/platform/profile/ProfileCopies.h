#pragma once
// Parsed copies of the last few profile files read, each used only while the file on the disk is
// provably the one parsed; reading through them gives what reading the file would. The backends
// tell the state of a file; which copies are kept, and when one may be used, is decided here.
#include "platform/BoundedRead.h"
#include "platform/FileStamp.h"
#include "platform/profile/ProfileIndex.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform::profile {

using platform::FileStamp;
using platform::Nanoseconds;

// One file as its system shows it.
class ProfileSource {
public:
    virtual ~ProfileSource() = default;
    // False when the file is missing.
    virtual bool stamp(FileStamp& now) = 0;
    // A bounded read of the regular file; `after` is its state after the last read.
    virtual FileReadResult read(std::string& bytes, FileStamp& after) = 0;
    // True when nothing can change the file, as on a read-only medium.
    virtual bool unchangeable() = 0;
    virtual Nanoseconds clock() = 0; // the time the stamps are in
};

// The parsed file named `name` (a full path), read again unless the copy is known unchanged;
// null when the file is missing or cannot be read. Code-page files are decoded in `codePage`.
std::shared_ptr<const ProfileIndex> parsedProfile(const std::string& name, ProfileSource& source,
                                                  int codePage);

// Drops every parsed copy; the writer calls it, so its writes are seen by the next read.
void forgetParsedProfiles();

// What both systems do around their own parse and write. An exception (no memory for a huge
// file) reads as an unreadable file or a failed write, and every write, done or not, forgets
// the parsed copies.
std::vector<ProfileSectionLines>
linesOfParsedProfile(const std::function<std::shared_ptr<const ProfileIndex>()>& parse);
bool writeThenForgetCopies(const std::function<bool()>& write);

} // namespace platform::profile
