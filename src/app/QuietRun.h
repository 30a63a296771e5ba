#pragma once
// The quiet run (--quiet): the whole unattended installation without the toolkit, so that it
// shows nothing and needs no display.
#include <string>
#include <vector>

struct CommandLine;

// The exit status: 0 installed, 1 failed or stopped (the reason on stderr and in the log).
int runQuietInstallation(const std::string& programName, const CommandLine& options,
                         const std::vector<std::string>& arguments);
