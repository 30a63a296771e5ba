#include "BenchSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

double seconds(BenchClock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double secondsSince(BenchClock::time_point start) {
    return seconds(BenchClock::now() - start);
}

bool run(const std::string& commandLine) {
    return std::system(commandLine.c_str()) == 0;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

long residentKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

fs::path benchFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}
