#pragma once
// The medium as a CD-ROM drive of the Wine prefix, kept after the run, so that the game finds its
// disc by letter and label when it starts later, as it would on Windows. The drive's link in
// "dosdevices" leads to a folder of this program's own in the prefix, which holds links to the
// disc's entries and the label as Wine reads it (".windows-label"): a read-only disc is never
// written, and Wine shows the label even of a disc mounted in user space. Wine's own record of
// the drive's type says CD-ROM.
#include <string>

namespace platform::posix {

// The native folder of the prefix's drive folders of this program's own.
std::string wineDiscFolders(const std::string& prefix);

// What the drive folder stands for (the image, or the medium's folder), as it was given; empty
// when the native folder is no drive folder of this program's own.
std::string wineDiscSource(const std::string& prefix, const std::string& nativeFolder);

// Makes or renews the drive of that letter for the started medium; empty, or why it could not.
std::string giveWineTheDisc(const std::string& prefix, char letter);

} // namespace platform::posix
