#pragma once
// The command line's work on an installed product, by its journal: checking its files and putting
// back from the medium those that are missing or changed.
#include <string>

struct CommandLine;

// --verify NAME [MEDIUM]: names every file that is missing, changed or, given the medium, not the
// one on the medium. 0 when there is none, 1 otherwise.
int verifyCommand(const CommandLine& line, const std::string& programName);

// --repair NAME MEDIUM: copies and decodes again from the medium exactly the files that are
// missing or changed, leaving the rest alone. 0 when every file is in place afterwards.
int repairCommand(const CommandLine& line, const std::string& programName);
