#include "platform/EndSignals.h"

#include <csignal>
#include <cstring>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<bool> requested{false};
volatile std::sig_atomic_t noted = 0;
struct sigaction previous[sizeof kSignals / sizeof kSignals[0]];

void note(int signal) {
    noted = signal;
    requested.store(true);
}

} // namespace

static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

EndSignalsHeld::EndSignalsHeld() {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes go on; the work looks at the request between its pieces.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i)
        sigaction(kSignals[i], &action, &previous[i]);
}

EndSignalsHeld::~EndSignalsHeld() {
    for (std::size_t i = 0; i < sizeof kSignals / sizeof kSignals[0]; ++i)
        sigaction(kSignals[i], &previous[i], nullptr);
}

const std::atomic<bool>& endRequested() {
    return requested;
}

std::string endRequestName() {
    switch (noted) {
    case SIGTERM:
        return "SIGTERM";
    case SIGINT:
        return "SIGINT";
    case SIGHUP:
        return "SIGHUP";
    default:
        return {};
    }
}

void endAsRequested() {
    const int signal = noted;
    if (signal == 0)
        return;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace platform
