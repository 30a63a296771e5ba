#pragma once
#include <string>

// The setup program's own folder (its path cut at the last backslash), without a trailing one.
std::string ownProgramFolder();
