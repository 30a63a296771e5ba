// A bad command line, --help and a quiet run are answered before the toolkit starts: they need
// no display.
#include "app/QuietRun.h"
#include "app/SetupApp.h"
#include "platform/Medium.h"
#include "session/CommandLine.h"

#include <wx/app.h>

#include <algorithm>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // The menu entries of a game installed from a disc image start it this way: the image is
    // mounted for as long as the game runs.
    if (argc >= 4 && std::string(argv[1]) == "--with-disc" && std::string(argv[3]) == "--")
        return platform::runWithDiscImage(argv[2], std::vector<std::string>(argv + 4, argv + argc));
    std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action != CommandLine::Action::Run)
        return answerSetupCommandLine(argc > 0 ? argv[0] : "setup", arguments).value_or(0);
    // A quiet run shows nothing: it starts no toolkit and needs no display.
    if (line.quiet)
        return runQuietInstallation(argc > 0 ? argv[0] : "setup", line, arguments);
    return wxEntry(argc, argv);
}
