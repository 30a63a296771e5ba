// A stand-in for a further program or a set-up program: appends "start <name>" and, after a
// short pause, "end <name>" to the file named by RUN_LOG (name = the program's argv[0]), then
// exits with RUN_EXIT_CODE (0 when unset). As the desktop's opener (OPENED_LOG set) it appends
// its arguments, joined by blanks into one line, to the file OPENED_LOG names: a folder with
// blanks in its name reaches the file manager unquoted, as several words. Lines end in LF on
// every system.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    constexpr auto append = std::ios::app | std::ios::binary;
    if (const char* opened = std::getenv("OPENED_LOG")) {
        std::string line;
        for (int i = 1; i < argc; ++i)
            line += (i > 1 ? " " : "") + std::string(argv[i]);
        std::ofstream(opened, append) << line << "\n";
        return 0;
    }
    const char* log = std::getenv("RUN_LOG");
    if (!log)
        return 100;
    std::ofstream(log, append) << "start " << argv[0] << "\n";
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::ofstream(log, append) << "end " << argv[0] << "\n";
    const char* code = std::getenv("RUN_EXIT_CODE");
    return code ? std::atoi(code) : 0;
}
