#pragma once
// Disc images mounted read-only in user space for the length of the run: through udisks where the
// session's system offers it, else through fuseiso. A watcher process of its own unmounts the
// image when the program ends, however it ends (a normal end, a failure, a signal, even a crash),
// since it sees the end of a pipe that only the program holds.
#include <string>

namespace platform::posix {

// Mounts the image and returns the folder of its root; empty, with the reason, when it cannot.
std::string mountDiscImage(const std::string& image, std::string& reason);

// Unmounts every image this run mounted, and waits until it is done.
void unmountDiscImages();

} // namespace platform::posix
