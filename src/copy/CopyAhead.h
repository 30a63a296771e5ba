#pragma once
// The plain files that follow an archive in the copy list, copied while the archive's records
// convert, before their turn: each into a temporary file in the target folder, which takes the
// entry's place only when the copy reaches the entry, so that nothing lands out of the list's
// order. What has not been taken when the copy ahead ends is removed, so that a failed or stopped
// copy leaves nothing of it.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CopyAhead {
public:
    struct Job {
        std::string entry;  // as the list names it
        std::string source; // its native path
    };

    // Starts copying the jobs, in order, on threads of its own, into temporary files of the
    // native target folder. Two threads: a file's copy mostly waits on the system, the more so
    // under Wine, whose every call is a round trip to its server.
    CopyAhead(std::vector<Job> jobs, const std::string& nativeTargetFolder);
    ~CopyAhead();
    CopyAhead(const CopyAhead&) = delete;
    CopyAhead& operator=(const CopyAhead&) = delete;

    // The whole temporary copy of the entry, archive attribute only, with its size, for the
    // caller to put in its place (it is then the caller's); an empty path when the entry is not
    // the next job, or its copy failed. Waits while the job is under way, unless stop becomes
    // true.
    struct Copied {
        std::string path;
        std::uint64_t bytes = 0;
    };
    Copied take(const std::string& entry, const std::atomic<bool>* stop);

private:
    enum class State { Waiting, Copied, Failed, Taken };
    void copyJobs();

    std::vector<Job> jobs;
    std::vector<std::string> temporaries;
    std::vector<std::uint64_t> sizes;
    std::vector<State> states;
    std::size_t next = 0; // the job take() answers next
    std::mutex lock;
    std::condition_variable changed;
    std::atomic<bool> ended{false};
    std::atomic<std::size_t> nextJob{0}; // the next job a thread starts on
    std::vector<std::thread> workers;
};
