#include "platform/posix/WinePrefix.h"

#include "platform/ProfileFile.h"
#include "platform/SystemActivity.h"
#include "platform/posix/FolderNames.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/StartedMedium.h"
#include "platform/posix/WindowsProgram.h"
#include "platform/posix/XdgFolders.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform::posix {
namespace {

bool exists(const std::string& native) {
    struct stat info;
    return ::stat(native.c_str(), &info) == 0;
}

bool startsWithNoCase(const std::string& text, const char* start) {
    const std::string head = text.substr(0, std::char_traits<char>::length(start));
    return equalsIgnoringCase(head, start);
}

// The medium's file for a name the script writes relative to it, matched without regard to
// letter case as a medium made on Windows needs; empty when it is not there.
std::string fileOnMedium(const std::string& mediumFolder, const std::string& name) {
    std::string native = mediumFolder;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string component = name.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            return {};
        const std::string entry =
            exists(native + "/" + component) ? component : entryIgnoringCase(native, component);
        if (entry.empty())
            return {};
        native += "/" + entry;
    }
    return native;
}

// The variables of the installer's environment with Wine's own replaced: the prefix named,
// no Mono or Gecko prompts, no menu entries made by Wine behind the installer's back, and Wine's
// debug output off unless asked for; without the display when none is wanted.
std::vector<std::string> wineEnvironment(const std::string& prefix, bool display) {
    std::vector<std::string> variables;
    const char* debug = std::getenv("WINEDEBUG");
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        const std::string name = variable.substr(0, variable.find('='));
        const bool displayName = name == "DISPLAY" || name == "WAYLAND_DISPLAY";
        if (name != "WINEPREFIX" && name != "WINEDLLOVERRIDES" && name != "WINEDEBUG" &&
            (display || !displayName))
            variables.push_back(variable);
    }
    variables.push_back("WINEPREFIX=" + prefix);
    variables.push_back("WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d");
    variables.push_back(std::string("WINEDEBUG=") + (debug ? debug : "-all"));
    return variables;
}

std::vector<char*> pointersOf(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int waitFor(pid_t child, bool shown) {
    int status = 0;
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, shown ? WNOHANG : 0);
        if (ended == child)
            break;
        if (ended < 0 && errno != EINTR)
            return -1;
        if (ended == 0) {
            continueSystemWait();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

// Starts the program with the arguments (the first its own name) in the prefix and waits for it.
int runInPrefix(const std::string& program, std::vector<std::string> arguments,
                const std::string& prefix, bool display, bool shown) {
    std::vector<std::string> variables = wineEnvironment(prefix, display);
    auto argv = pointersOf(arguments);
    auto envp = pointersOf(variables);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Wine's programs report on the terminal; the installer reports through its own results.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int failed =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : waitFor(child, shown);
}

// Wine's own first start makes a prefix the same way. Without a display no window of Wine's own
// opens beside the installer's; but a Wine session begun without one can open no window at all,
// so that session is waited out before the game or the medium's programs could join it.
bool makePrefix(const std::string& prefix) {
    const auto start = std::chrono::steady_clock::now();
    beginSystemWait("Preparing Wine…");
    const std::string wine = wineProgram();
    const int status = runInPrefix(wine, {"wine", "wineboot", "--init"}, prefix, false, true);
    const std::string server = wine.substr(0, wine.find_last_of('/')) + "/wineserver";
    if (access(server.c_str(), X_OK) == 0)
        (void)runInPrefix(server, {"wineserver", "-w"}, prefix, false, true); // ends either way
    endSystemWait();
    const bool made = status == 0 && exists(prefix + "/dosdevices/c:");
    noteSystemActivity("wine", (made ? "prefix made: " : "prefix could not be made: ") + prefix +
                                   " (" + secondsText(secondsSince(start)) + ")");
    return made;
}

std::string choosePrefix() {
    const std::string wine = wineProgram();
    if (wine.empty() || !holdsWindowsProduct(mediumFolder()))
        return {};
    // Wine itself takes only an absolute prefix.
    const std::string prefix = xdgBaseFolder("WINEPREFIX", ".wine");
    if (prefix.empty())
        return {};
    if (!exists(prefix + "/dosdevices") && !makePrefix(prefix))
        return {};
    noteSystemActivity("wine", "installing into the Wine prefix " + prefix);
    return prefix;
}

} // namespace

const std::string& winePrefix() {
    static const std::string none;
    if (const char* table = std::getenv("SETUP_DRIVE_TABLE"); table && *table)
        return none;
    static const std::string prefix = choosePrefix();
    return prefix;
}

bool holdsWindowsProduct(const std::string& mediumFolder) {
    if (mediumFolder.empty())
        return false;
    const std::string script = mediumFolder + "/install.ini";
    for (const ProfileSectionLines& section : listProfileLines(script)) {
        for (const ProfileKeyLine& key : section.keys) {
            if (!startsWithNoCase(key.name, "File") || key.name.size() == 4 ||
                key.name.find_first_not_of("0123456789", 4) != std::string::npos)
                continue;
            const std::string target =
                fileOnMedium(mediumFolder, readProfileString(script, section.name, key.name));
            if (!target.empty() && isWindowsProgram(target))
                return true;
        }
    }
    return false;
}

int runWine(const std::string& prefix, const std::vector<std::string>& arguments, bool shown) {
    const std::string wine = wineProgram();
    if (wine.empty())
        return -1;
    std::vector<std::string> argumentTexts{"wine"};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    return runInPrefix(wine, std::move(argumentTexts), prefix, true, shown);
}

} // namespace platform::posix
