#include "copy/CopyAhead.h"

#include "copy/InstallSize.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <chrono>

CopyAhead::CopyAhead(std::vector<Job> aheadJobs, const std::string& nativeTargetFolder)
    : jobs(std::move(aheadJobs)), sizes(jobs.size(), 0), states(jobs.size(), State::Waiting) {
    // The folder is looked up once, for the first name: the others differ only in their number.
    const std::string first = platform::toNativeChild(nativeTargetFolder, "~setup-ahead-0.tmp");
    const std::string stem = first.empty() ? first : first.substr(0, first.size() - 5);
    for (std::size_t i = 0; i < jobs.size(); ++i)
        temporaries.push_back(stem.empty() ? stem : stem + std::to_string(i) + ".tmp");
    constexpr int kThreads = 2;
    for (int i = 0; i < kThreads; ++i)
        workers.emplace_back([this] { copyJobs(); });
}

CopyAhead::~CopyAhead() {
    ended = true;
    for (std::thread& worker : workers)
        worker.join();
    for (std::size_t i = 0; i < jobs.size(); ++i)
        if (states[i] == State::Copied)
            (void)platform::deleteFile(temporaries[i]);
}

void CopyAhead::copyJobs() {
    for (std::size_t i = nextJob++; i < jobs.size() && !ended; i = nextJob++) {
        // A copy that fails here is done again in its turn, which reports what went wrong.
        const std::string& temporary = temporaries[i];
        std::uint64_t bytes = 0;
        // The copy is made writable here, and measured for the log, so that putting it in its
        // place is all that is left to the turn of its entry.
        const bool copied = !temporary.empty() &&
                            platform::copyFile(jobs[i].source, temporary, true, &ended) &&
                            platform::setFileAttributes(temporary, platform::kAttributeArchive) &&
                            plainFileBytes(temporary, bytes);
        if (!copied && !temporary.empty())
            (void)platform::deleteFile(temporary);
        {
            const std::lock_guard<std::mutex> hold(lock);
            states[i] = copied ? State::Copied : State::Failed;
            sizes[i] = bytes;
        }
        changed.notify_all();
    }
}

CopyAhead::Copied CopyAhead::take(const std::string& entry, const std::atomic<bool>* stop) {
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
    return {temporaries[job], sizes[job]};
}
