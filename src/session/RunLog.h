#pragma once
// The run's log (--log FILE): one line per step, written and flushed at once so that a run that
// ends abruptly still leaves what it did. Without an open log every call does nothing.
#include <cstdint>
#include <string>

namespace runlog {

// Opens (truncates) the log at a path of the system the program runs on; false when it cannot.
bool open(const std::string& nativePath);
void close();
bool isOpen();

// "<kind>: <text>", e.g. "copied: data\\maps\\north.map (1234 bytes)".
void write(const std::string& kind, const std::string& text);
// A failure of a run without windows: in the log and on stderr.
void failure(const std::string& text);
std::string withBytes(const std::string& text, std::uint64_t bytes);

} // namespace runlog
