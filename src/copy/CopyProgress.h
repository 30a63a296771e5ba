#pragma once
// Where a copy's progress goes while it runs: a window that shows the status line and the bar and
// may be told to stop, or nowhere. The install sequence makes the engine; the progress runs it,
// its list included, from the start to the end.
#include "copy/CopyEngine.h"

#include <atomic>

class CopyProgress {
public:
    virtual ~CopyProgress() = default;
    virtual CopyEngine::Result runCopy(CopyEngine& engine) = 0;
};

// No window: the copy runs on the calling thread, and ends as Abort ends it once stop becomes
// true (when given).
class CopyWithoutWindow : public CopyProgress {
public:
    explicit CopyWithoutWindow(const std::atomic<bool>* stop = nullptr) : stop(stop) {}
    CopyEngine::Result runCopy(CopyEngine& engine) override { return engine.copyToTheEnd(stop); }

private:
    const std::atomic<bool>* stop;
};
