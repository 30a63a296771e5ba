#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Starts a program (a drive path) with an argument vector, never through a shell. The first
// argument is the program's name as it sees it. -1 when it cannot be started.
int spawnAndWait(const std::string& program, const std::vector<std::string>& arguments);
bool spawnDetached(const std::string& program, const std::vector<std::string>& arguments);

// Opens a document or a folder with the desktop's default program, not waited for. The owner is
// the native handle of the window that the shell's messages belong to, or 0 for none.
bool openWithDefaultProgram(const std::string& path, const std::string& workFolder,
                            std::uintptr_t ownerWindow = 0);

} // namespace platform
