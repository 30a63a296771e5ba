#include "platform/EndSignals.h"

#include <windows.h>

namespace platform {
namespace {

std::atomic<bool> requested{false};
std::atomic<DWORD> noted{0};
constexpr DWORD kNone = 0xFFFFFFFF;

BOOL WINAPI note(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE; // closing the console or ending the session ends the program as before
    noted = event;
    requested = true;
    return TRUE;
}

} // namespace

EndSignalsHeld::EndSignalsHeld() {
    noted = kNone;
    SetConsoleCtrlHandler(note, TRUE);
}

EndSignalsHeld::~EndSignalsHeld() {
    SetConsoleCtrlHandler(note, FALSE);
}

const std::atomic<bool>& endRequested() {
    return requested;
}

std::string endRequestName() {
    if (!requested)
        return {};
    switch (noted.load()) {
    case CTRL_C_EVENT:
        return "Ctrl+C";
    case CTRL_BREAK_EVENT:
        return "Ctrl+Break";
    default:
        return {};
    }
}

void endAsRequested() {
    if (requested)
        ExitProcess(STATUS_CONTROL_C_EXIT);
}

} // namespace platform
