// The view of the backend's own activity, the same on every system.
#include "platform/SystemActivity.h"

namespace platform {
namespace {

SystemActivityView& currentView() {
    static SystemActivityView view;
    return view;
}

std::function<void()>& workAtEnd() {
    static std::function<void()> work;
    return work;
}

} // namespace

void finishSystemWork() {
    if (workAtEnd())
        workAtEnd()();
}

void finishSystemWorkWith(std::function<void()> work) {
    workAtEnd() = std::move(work);
}

void showSystemActivityIn(SystemActivityView view) {
    currentView() = std::move(view);
}

void beginSystemWait(const std::string& what) {
    if (currentView().begin)
        currentView().begin(what);
}

void continueSystemWait() {
    if (currentView().stillWaiting)
        currentView().stillWaiting();
}

void endSystemWait() {
    if (currentView().end)
        currentView().end();
}

void noteSystemActivity(const std::string& kind, const std::string& text) {
    if (currentView().note)
        currentView().note(kind, text);
}

} // namespace platform
