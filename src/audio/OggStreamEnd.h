#pragma once
#include <cstdio>
#include <functional>

// Whether every logical stream that begins in the file also ends in it with its end-of-stream
// page. A file cut short (a copy broken off, a damaged medium) lacks that page, and decoding it
// would give a short sound that looks complete. Reads the file from its start and leaves it at
// its start again; false on a read error or when no stream begins at all, and false as soon as
// stopped, when given, says so.
bool everyOggStreamEnds(std::FILE* input, const std::function<bool()>& stopped = {});
