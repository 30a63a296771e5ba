#include "platform/MadeFiles.h"

#include <mutex>
#include <vector>

namespace platform {
namespace {

std::mutex listenerLock;

MadeListener& listener() {
    static MadeListener current;
    return current;
}

// A Wine prefix is made before the run knows its product; the first listener hears of it.
std::vector<std::string>& prefixesMadeUnheard() {
    static std::vector<std::string> prefixes;
    return prefixes;
}

} // namespace

void listenToMadeFiles(MadeListener newListener) {
    const std::lock_guard<std::mutex> held(listenerLock);
    listener() = std::move(newListener);
    if (listener())
        for (const std::string& prefix : prefixesMadeUnheard())
            listener()(Made::WinePrefix, prefix);
    prefixesMadeUnheard().clear();
}

// Folders of entries are made on the copy's own threads too.
void noteMade(Made kind, const std::string& nativePath) {
    const std::lock_guard<std::mutex> held(listenerLock);
    if (listener())
        listener()(kind, nativePath);
    else if (kind == Made::WinePrefix)
        prefixesMadeUnheard().push_back(nativePath);
}

} // namespace platform
