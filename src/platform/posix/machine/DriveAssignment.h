#pragma once
// Drives that the backend adds for folders it must answer when no drive of the table holds them.
#include <string>

namespace platform::posix {

// Gives the native folder a free letter of its own (counting down from y:), typed fixed, and
// returns the letter; 0 when every letter is taken. The drive lasts until the table is reloaded.
char assignDrive(const std::string& nativeFolder);

// The letter of the CD-ROM drive that shows the medium the run was started on; 0 for none.
char startedMediumLetter();

} // namespace platform::posix
