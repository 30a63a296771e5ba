// A stand-in for a further program or a set-up program: appends "start <name>" and, after a
// short pause, "end <name>" to the file named by RUN_LOG (name = the program's argv[0]), then
// exits with RUN_EXIT_CODE (0 when unset).
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

int main(int, char** argv) {
    const char* log = std::getenv("RUN_LOG");
    if (!log)
        return 100;
    std::ofstream(log, std::ios::app) << "start " << argv[0] << "\n";
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    std::ofstream(log, std::ios::app) << "end " << argv[0] << "\n";
    const char* code = std::getenv("RUN_EXIT_CODE");
    return code ? std::atoi(code) : 0;
}
