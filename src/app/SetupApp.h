#pragma once
// The application class lives in SetupApp.cpp; each system's entry point (app/entry/) starts it.
#include <optional>
#include <string>
#include <vector>

// The exit status when the command line ends the run before it starts (--help, an error).
std::optional<int> answerSetupCommandLine(const std::string& name,
                                          const std::vector<std::string>& arguments);
