#pragma once
// What the decoders say about a stream (its comments, rate, length and encoder) and about what
// went wrong with it: lines for a log, not for a person. They go to the standard error stream
// unless the program hands them elsewhere; each line arrives whole, whatever threads decode
// beside one another.
#include <string>

namespace audio {

using NoteSink = void (*)(const std::string& line);

// Where the notes go from now on; null drops them. Set before any decoding starts.
void sendNotesTo(NoteSink sink);

// One note, printf-style; line breaks at its ends are dropped.
void note(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace audio
