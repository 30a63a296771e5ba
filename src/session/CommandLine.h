#pragma once
// The program's command line: without arguments the interactive run; with --silent an
// installation without pages, answered from the command line; --log in either. Where the program
// lives apart from the medium (Linux), the medium may follow: a folder or a disc image.
#include <string>
#include <vector>

struct CommandLine {
    // Uninstall, Verify and Repair work on an installed product, by its journal.
    enum class Action { Run, Help, Error, Uninstall, Verify, Repair };
    Action action = Action::Run;
    std::string error; // what is wrong, for Action::Error

    bool silent = false;      // no pages, no questions: the answers below
    bool quiet = false;       // no window at all (implies silent)
    bool ignoreSpace = false; // install even when the target's disk looks too small
    std::string folder;       // a full drive path; empty: the script's default folder
    std::string installType;  // "min", "std" or "max"; empty: "std"
    std::string language;     // a language section; empty: the system language's mapping
    std::string logPath;      // a path of the system the program runs on
    std::string medium;       // a folder holding install.ini or a disc image; empty: the own folder
    std::string product;      // the installed product Uninstall, Verify and Repair work on
    bool undoOnFailure = false; // a failed or stopped run takes back what it made
};

// The arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText(const std::string& programName);
