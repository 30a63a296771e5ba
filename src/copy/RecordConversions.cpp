#include "copy/RecordConversions.h"

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
}

bool RecordConversions::stopAsked() const {
    return dropping.load(std::memory_order_relaxed) ||
           (copyStop && copyStop->load(std::memory_order_relaxed));
}

void RecordConversions::add(RecordExtraction record) {
    Pending next{std::move(record), {}};
    if (next.record.result == RecordExtraction::Result::Unpacked) {
        pending.push_back(std::move(next));
        const RecordExtraction* unpacked = &pending.back().record;
        // The deque keeps its elements in place as it grows at its ends, so the thread may read
        // the record it was handed until it ends.
        pending.back().converted = std::async(std::launch::async, [unpacked, this] {
            return convertUnpackedRecord(*unpacked, &dropping);
        });
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
        const bool converted = oldest.converted.get();
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
