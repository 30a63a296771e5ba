#pragma once
// Where the run's medium is, before anything reads it: the medium the command line names, the
// program's own folder when the script is there, else the mounted disc that holds a setup script
// (the person chooses when there are several).
#include <optional>

struct CommandLine;

// Makes the medium the run's. The exit status when the run ends here: no medium, none chosen, or
// one that cannot be used; the person is told why (unattended: on the error stream and in the
// log).
std::optional<int> startOnTheMedium(const CommandLine& options);

// The exit status when the machine cannot take the installation (a Wine prefix that cannot
// serve); the person is told why, as above.
std::optional<int> refuseUnusableMachine(const CommandLine& options);
