#pragma once
// A request from outside to end the program (SIGTERM, SIGINT or SIGHUP on POSIX; Ctrl+C or
// Ctrl+Break in a Windows console) while work is under way that must not be left half done.
#include <atomic>
#include <string>

namespace platform {

// While one lives, such a request does not end the program at once: it is noted and
// endRequested() becomes true, so that the work under way can stop and undo what it began.
// The requests keep their usual effect outside its life.
class EndSignalsHeld {
public:
    EndSignalsHeld();
    ~EndSignalsHeld();
    EndSignalsHeld(const EndSignalsHeld&) = delete;
    EndSignalsHeld& operator=(const EndSignalsHeld&) = delete;
};

const std::atomic<bool>& endRequested();
// The request's name for the log ("SIGTERM"); empty when none came.
std::string endRequestName();
// Ends the program as the noted request would have ended it (for a shell: killed by the
// signal); nothing when none came.
void endAsRequested();

} // namespace platform
