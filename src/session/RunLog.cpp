#include "session/RunLog.h"

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <cstdio>

namespace runlog {
namespace {
std::FILE*& logFile() {
    static std::FILE* file = nullptr;
    return file;
}

} // namespace

bool open(const std::string& nativePath) {
    close();
    logFile() = platform::createNativeFile(nativePath);
    return logFile() != nullptr;
}

void close() {
    if (logFile())
        std::fclose(logFile());
    logFile() = nullptr;
}

bool isOpen() {
    return logFile() != nullptr;
}

void write(const std::string& kind, const std::string& text) {
    std::FILE* file = logFile();
    if (!file)
        return;
    const std::string time = platform::localTimeOfDay();
    // An entry starts with its time; the lines after its first are indented past the time, so
    // that a name holding a line break cannot forge an entry, and no control character or
    // direction mark reaches the reader's terminal raw.
    const std::string indent(time.size() + 3, ' ');
    std::string entry = time + " " + kind + ": ";
    std::string line;
    for (char c : text + "\n") {
        if (c != '\n') {
            line += c == '\r' ? std::string("\\r") : std::string(1, c);
            continue;
        }
        entry += platform::withUnsafeCharactersShown(line) + "\n";
        line = indent;
    }
    std::fwrite(entry.data(), 1, entry.size(), file);
    std::fflush(file);
}

void failure(const std::string& text) {
    write("failed", text);
    std::fprintf(stderr, "setup: %s\n", text.c_str());
}

std::string withBytes(const std::string& text, std::uint64_t bytes) {
    return text + " (" + std::to_string(bytes) + " bytes)";
}

} // namespace runlog
