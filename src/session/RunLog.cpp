#include "session/RunLog.h"

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
    // One line per entry: a name holding a line break cannot split it or forge another, and no
    // control character or direction mark reaches the reader's terminal raw.
    std::string line = kind + ": ";
    for (char c : text)
        line += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
    line = platform::withUnsafeCharactersShown(line) + "\n";
    std::fwrite(line.data(), 1, line.size(), file);
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
