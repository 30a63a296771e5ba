#pragma once
// What the benchmarks share: files, timing, shell commands and the memory figures of the process.
#include <chrono>
#include <filesystem>
#include <string>

using BenchClock = std::chrono::steady_clock;

double seconds(BenchClock::duration duration);
double secondsSince(BenchClock::time_point start);
// True when the shell command exits with 0.
bool run(const std::string& commandLine);

std::string readFile(const std::filesystem::path& path);
// Creates the parent folders as needed.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// A memory figure of this process in KiB: "VmHWM" (peak since the last reset) or "VmRSS".
long residentKiB(const std::string& field);
// Starts a new peak: VmHWM drops to what the process holds now.
void resetPeakResident();

// A fresh folder in the temporary folder, named after the benchmark and this process.
std::filesystem::path benchFolder(const std::string& name);
