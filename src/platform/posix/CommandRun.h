#pragma once
// Programs the backend runs for its own work (mounting a disc image, reading a program's icon):
// started with an argument vector, never through a shell, their output caught.
#include <string>
#include <vector>

namespace platform::posix {

// The argument vector the system's calls take: the words, then a null.
std::vector<char*> argumentVector(const std::vector<std::string>& words);

struct CommandResult {
    int status = -1;    // -1 when the program could not be started or did not end normally
    std::string output; // its standard output and error together
};

// Runs the program (a native path) with the arguments, the first its own name, and waits for it.
CommandResult runCommand(const std::string& program, const std::vector<std::string>& arguments);

} // namespace platform::posix
