#include "platform/posix/wine/WineRun.h"

#include "platform/SystemActivity.h"
#include "platform/posix/wine/WindowsProgram.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform::posix {
namespace {

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

} // namespace

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

int runWine(const std::string& prefix, const std::vector<std::string>& arguments, bool shown) {
    const std::string wine = wineProgram();
    if (wine.empty())
        return -1;
    std::vector<std::string> argumentTexts{"wine"};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    return runInPrefix(wine, std::move(argumentTexts), prefix, true, shown);
}

std::string convertText(const std::string& bytes, const char* from, const char* to) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string result;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<std::size_t>(out - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG)
            break; // what cannot be converted ends the text
    }
    iconv_close(converter);
    return result;
}

std::string secondsText(std::chrono::steady_clock::time_point start) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::optional<std::string> exportWineKey(const std::string& prefix, const std::string& fullPath,
                                         bool view32) {
    const auto start = std::chrono::steady_clock::now();
    const WineScratchFile file(prefix, "read");
    std::vector<std::string> arguments{"reg", "export", fullPath, file.windowsPath, "/y"};
    if (view32)
        arguments.push_back("/reg:32");
    const bool found = runWine(prefix, arguments, false) == 0;
    noteSystemActivity("wine", std::string(found ? "read " : "no key ") + fullPath + " (" +
                                   secondsText(start) + ")");
    if (!found)
        return std::nullopt;
    std::ifstream in(file.nativePath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The registry editor's files are UTF-16 with a byte order mark.
    return convertText(bytes, "UTF-16", "UTF-8");
}

std::optional<std::string> readWineKeyText(const std::string& prefix, const std::string& fullPath) {
    return exportWineKey(prefix, fullPath, false);
}

} // namespace platform::posix
