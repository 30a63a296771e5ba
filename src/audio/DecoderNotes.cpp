#include "audio/DecoderNotes.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace audio {
namespace {

void toStandardError(const std::string& line) {
    const std::string whole = line + "\n";
    std::fwrite(whole.data(), 1, whole.size(), stderr);
}

std::atomic<NoteSink>& noteSink() {
    static std::atomic<NoteSink> sink{&toStandardError};
    return sink;
}

} // namespace

void sendNotesTo(NoteSink sink) {
    noteSink().store(sink);
}

void note(const char* format, ...) {
    const NoteSink sink = noteSink().load();
    if (!sink)
        return;
    char buffer[512];
    std::va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length < 0)
        return;
    std::string line(buffer,
                     std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
    const auto first = line.find_first_not_of('\n');
    if (first == std::string::npos)
        return;
    line = line.substr(first, line.find_last_not_of('\n') - first + 1);
    sink(line);
}

} // namespace audio
