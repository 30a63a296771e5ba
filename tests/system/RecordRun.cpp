// A stand-in for a further program or a set-up program: appends "start <name>" and, after a
// short pause, "end <name>" to the file named by RUN_LOG (name = the program's argv[0]), then
// exits with RUN_EXIT_CODE (0 when unset). As the desktop's opener (OPENED_LOG set) it appends
// its first argument, a line, to the file OPENED_LOG names.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
    if (const char* opened = std::getenv("OPENED_LOG")) {
        std::ofstream(opened, std::ios::app) << (argc > 1 ? argv[1] : "") << "\n";
        return 0;
    }
    const char* log = std::getenv("RUN_LOG");
    if (!log)
        return 100;
    std::ofstream(log, std::ios::app) << "start " << argv[0] << "\n";
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::ofstream(log, std::ios::app) << "end " << argv[0] << "\n";
    const char* code = std::getenv("RUN_EXIT_CODE");
    return code ? std::atoi(code) : 0;
}
