#pragma once
// The records of one archive being converted beside the copy: about as many at once as the machine
// has cores, on threads kept for the archive (a thread for each record costs a Windows process
// under Wine several calls to its server), and taken back in the order they were handed in, so
// that records land in the archive's order whichever conversion ends first.
#include "copy/ArchiveRecordExtraction.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

class RecordConversions {
public:
    // stop is the copy's own: once it is true, conversions under way give up.
    explicit RecordConversions(const std::atomic<bool>* stop);
    // Stops what is still converting and removes its files.
    ~RecordConversions();
    RecordConversions(const RecordConversions&) = delete;
    RecordConversions& operator=(const RecordConversions&) = delete;

    bool full() const { return pending.size() >= width; }
    bool empty() const { return pending.empty(); }

    // Converts an unpacked record on a thread of its own; a record with nothing to convert
    // (skipped) waits its turn all the same.
    void add(RecordExtraction record);
    // Waits for the oldest record and lands it: Converted, Skipped, ConversionFailed, or Stopped
    // when the copy was stopped meanwhile (its files removed).
    RecordExtraction takeOldest();
    // Stops every conversion and removes what they leave.
    void dropAll();

private:
    struct Pending {
        RecordExtraction record;
        std::future<ConversionEnd> converted; // invalid for a skipped record
    };
    bool stopAsked() const;
    // One converting thread: takes the next conversion until the archive is done.
    void convertWhatComes();

    const std::atomic<bool>* copyStop;
    std::atomic<bool> dropping{false};
    std::size_t width;
    std::deque<Pending> pending;

    std::vector<std::thread> converters;
    std::deque<std::packaged_task<ConversionEnd()>> waiting; // conversions no thread has taken yet
    std::mutex waitingLock;
    std::condition_variable waitingChanged;
    bool closing = false;
};
