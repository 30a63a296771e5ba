#pragma once
// Runs programs from the tests: our own tools (sndpack, setupcheck, setup) as programs of this
// system, and the Debian tools the tests compare against (oggdec, speexdec, sox, ...) on the
// machine that runs the tests. On Linux that is the shell; the Windows build of the tests, run
// under Wine, starts the Unix shell through Wine, which can run Unix programs.
#include <filesystem>
#include <string>
#include <vector>

// Runs a POSIX shell command line; its exit status, or -1 when it could not be run.
int runHostCommand(const std::string& commandLine);

// The path as the host's shell names it (a Unix path under Wine).
std::string hostPath(const std::filesystem::path& path);

// The program with its arguments as one shell command line, each word quoted; arguments that are
// absolute paths of this system are given as host paths.
std::string hostCommandLine(const std::string& program, const std::vector<std::string>& arguments);

struct ToolRun {
    int status; // the exit status, or -1 when the program could not be run
    std::string output; // standard output and error together, lines ending in LF
};

// Runs a program of this system with these arguments, each one word, in the given folder.
ToolRun runTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                const std::filesystem::path& folder);
