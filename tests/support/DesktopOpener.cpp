#include "support/DesktopOpener.h"

#include <thread>

std::string DesktopOpener::opened(std::chrono::milliseconds patience) const {
    // The opener runs on its own: wait until it has written a whole line.
    const auto until = std::chrono::steady_clock::now() + patience;
    std::string text = readWholeFile(record);
    while ((text.empty() || text.back() != '\n') && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        text = readWholeFile(record);
    }
    return text;
}
