#pragma once
// What a backend tells the program about work of its own that the user did not ask for: a long
// wait for the system to get ready (on Linux, Wine making the prefix the product will run in),
// which the program shows so that it does not look frozen, and facts worth the run's log.
#include <functional>
#include <string>

namespace platform {

struct SystemActivityView {
    // A wait starts; `what` says what for ("Preparing Wine…").
    std::function<void(const std::string& what)> begin;
    // Called about twenty times a second while the wait lasts, to keep the program's windows alive.
    std::function<void()> stillWaiting;
    std::function<void()> end;
    // A fact for the run's log: a kind ("wine") and a line.
    std::function<void(const std::string& kind, const std::string& text)> note;
};

// Where the backend's waits and facts go from now on; empty functions show and record nothing.
void showSystemActivityIn(SystemActivityView view);

// Does what a backend left for the end of the run (on Linux, handing the registry values gathered
// for a Wine prefix to Wine), while the run's log still records it; a program that ends without
// calling it has it done as it ends.
void finishSystemWork();

// For the backends.
// The work finishSystemWork does; a later call replaces it.
void finishSystemWorkWith(std::function<void()> work);
void beginSystemWait(const std::string& what);
void continueSystemWait();
void endSystemWait();
void noteSystemActivity(const std::string& kind, const std::string& text);

} // namespace platform
