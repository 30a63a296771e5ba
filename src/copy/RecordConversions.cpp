#include "copy/RecordConversions.h"

#include "journal/InstallJournal.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// How often a wait for a conversion looks whether the copy was stopped.
constexpr auto kStopLook = std::chrono::milliseconds(5);
} // namespace

// One more than the cores: between conversions the copy's own thread unpacks and lands records,
// and a core would otherwise wait for it.
RecordConversions::RecordConversions(const std::atomic<bool>* stop)
    : copyStop(stop), width(std::max(1u, std::thread::hardware_concurrency()) + 1) {}

RecordConversions::~RecordConversions() {
    dropAll();
    {
        const std::lock_guard<std::mutex> hold(waitingLock);
        closing = true;
    }
    waitingChanged.notify_all();
    for (std::thread& converter : converters)
        converter.join();
}

void RecordConversions::convertWhatComes() {
    for (;;) {
        std::packaged_task<ConversionEnd()> conversion;
        {
            std::unique_lock<std::mutex> hold(waitingLock);
            waitingChanged.wait(hold, [this] { return closing || !waiting.empty(); });
            if (waiting.empty())
                return;
            conversion = std::move(waiting.front());
            waiting.pop_front();
        }
        conversion();
    }
}

bool RecordConversions::stopAsked() const {
    return dropping.load(std::memory_order_relaxed) ||
           (copyStop && copyStop->load(std::memory_order_relaxed));
}

void RecordConversions::add(RecordExtraction record) {
    Pending next{std::move(record), {}};
    if (next.record.result == RecordExtraction::Result::Unpacked) {
        pending.push_back(std::move(next));
        RecordExtraction* unpacked = &pending.back().record;
        // The deque keeps its elements in place as it grows at its ends, so the thread may read
        // the record it was handed until it ends. The journal's checksum is taken here too, beside
        // the other conversions, rather than on the copy's own thread.
        const bool digest = journal::isOpen();
        std::packaged_task<ConversionEnd()> conversion([unpacked, digest, this] {
            const ConversionEnd end = convertUnpackedRecord(*unpacked, &dropping);
            if (end == ConversionEnd::Converted && digest)
                unpacked->digest = digestOfNativeFile(unpacked->partialFile);
            return end;
        });
        pending.back().converted = conversion.get_future();
        {
            const std::lock_guard<std::mutex> hold(waitingLock);
            waiting.push_back(std::move(conversion));
        }
        waitingChanged.notify_one();
        // No more threads than conversions at once: one is free whenever one is handed in.
        if (converters.size() < width)
            converters.emplace_back([this] { convertWhatComes(); });
        return;
    }
    pending.push_back(std::move(next));
}

RecordExtraction RecordConversions::takeOldest() {
    Pending& oldest = pending.front();
    if (oldest.converted.valid()) {
        while (oldest.converted.wait_for(kStopLook) != std::future_status::ready)
            if (copyStop && copyStop->load(std::memory_order_relaxed))
                dropping = true;
        const ConversionEnd converted = oldest.converted.get();
        if (stopAsked()) {
            dropUnpackedRecord(oldest.record);
            oldest.record.result = RecordExtraction::Result::Stopped;
        } else {
            landConvertedRecord(oldest.record, converted);
        }
    }
    RecordExtraction record = std::move(oldest.record);
    pending.pop_front();
    return record;
}

void RecordConversions::dropAll() {
    dropping = true;
    for (Pending& each : pending) {
        if (each.converted.valid())
            each.converted.wait();
        if (each.record.result == RecordExtraction::Result::Unpacked)
            dropUnpackedRecord(each.record);
    }
    pending.clear();
    dropping = false;
}
