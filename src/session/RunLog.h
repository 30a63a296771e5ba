#pragma once
// The run's log (--log FILE): one entry per step, written and flushed at once so that a run that
// ends abruptly still leaves what it did. Without an open log every call does nothing.
#include <cstdint>
#include <string>

namespace runlog {

// Opens (truncates) the log at a path of the system the program runs on; false when it cannot.
bool open(const std::string& nativePath);
void close();
bool isOpen();

// "<time> <kind>: <text>", e.g. "14:03:07.250 copied: data\\maps\\north.map (1234 bytes)", the
// time the machine's local one to the millisecond. Each further line of a text that holds line
// breaks follows on a line of its own, indented, so that no line of a name can pass for an entry.
void write(const std::string& kind, const std::string& text);
// A failure of a run without windows: in the log and on stderr.
void failure(const std::string& text);
std::string withBytes(const std::string& text, std::uint64_t bytes);

} // namespace runlog
