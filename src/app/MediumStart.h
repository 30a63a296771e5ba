#pragma once
// Where the run's medium is, before anything reads it: the medium the command line names, the
// program's own folder when the script is there, else the mounted disc that holds a setup script
// (the person chooses when there are several).
#include <optional>
#include <string>
#include <vector>

struct CommandLine;

// Opens the log the command line names and notes the command line in it; the decoders' notes go
// there too, and nowhere without a log. The exit status when the log cannot be written.
std::optional<int> openRunLog(const CommandLine& options, const std::vector<std::string>& arguments);

// Makes the medium the run's. The exit status when the run ends here: no medium, none chosen, or
// one that cannot be used; the person is told why (unattended: on the error stream and in the
// log). The program's name is the one it was started by, for the message that says how.
std::optional<int> startOnTheMedium(const CommandLine& options, const std::string& programName);

// The exit status when the machine cannot take the installation (a Wine prefix that cannot
// serve); the person is told why, as above.
std::optional<int> refuseUnusableMachine(const CommandLine& options);
