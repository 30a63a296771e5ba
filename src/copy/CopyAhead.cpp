#include "copy/CopyAhead.h"

#include "platform/Files.h"
#include "platform/Paths.h"

#include <chrono>

CopyAhead::CopyAhead(std::vector<Job> aheadJobs, const std::string& nativeTargetFolder)
    : jobs(std::move(aheadJobs)), states(jobs.size(), State::Waiting) {
    for (std::size_t i = 0; i < jobs.size(); ++i)
        temporaries.push_back(platform::toNativeChild(
            nativeTargetFolder, "~setup-ahead-" + std::to_string(i) + ".tmp"));
    worker = std::thread([this] { copyAll(); });
}

CopyAhead::~CopyAhead() {
    ended = true;
    worker.join();
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (states[i] == State::Copied)
            (void)platform::deleteFile(temporaries[i]);
}

void CopyAhead::copyAll() {
    for (std::size_t i = 0; i < jobs.size() && !ended; ++i) {
        // A copy that fails here is done again in its turn, which reports what went wrong.
        const bool copied = !temporaries[i].empty() &&
                            platform::copyFile(jobs[i].source, temporaries[i], true, &ended);
        if (!copied && !temporaries[i].empty())
            (void)platform::deleteFile(temporaries[i]);
        {
            const std::lock_guard<std::mutex> hold(lock);
            states[i] = copied ? State::Copied : State::Failed;
        }
        changed.notify_all();
    }
}

std::string CopyAhead::take(const std::string& entry, const std::atomic<bool>* stop) {
    std::unique_lock<std::mutex> hold(lock);
    if (next >= jobs.size() || jobs[next].entry != entry)
        return {};
    const std::size_t job = next++;
    while (states[job] == State::Waiting) {
        if (stop && stop->load())
            return {};
        changed.wait_for(hold, std::chrono::milliseconds(5));
    }
    if (states[job] != State::Copied)
        return {};
    states[job] = State::Taken;
    return temporaries[job];
}
