#include "system/RegistryStrings.h"

#include "journal/InstallJournal.h"
#include "session/RunLog.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

using platform::RegistryHive;
using platform::RegistryKey;

bool readRegistryString(RegistryHive hive, const std::string& subKey, const std::string& valueName,
                        std::string& output) {
    RegistryKey key;
    if (!key.open(hive, subKey))
        return false;
    return key.queryString(valueName, output, kRegistryReadBuffer);
}

namespace {

// What a write will change, for the journal: the levels of the key that are missing, outermost
// first, and the value's text before it.
struct EarlierState {
    std::vector<std::string> missingLevels;
    std::optional<std::string> value;
};

std::optional<std::string> wholeValue(RegistryHive hive, const std::string& subKey,
                                      const std::string& valueName) {
    RegistryKey key;
    std::string text;
    if (key.open(hive, subKey) && key.queryString(valueName, text, SIZE_MAX))
        return text;
    return std::nullopt;
}

EarlierState earlierState(RegistryHive hive, const std::string& subKey,
                          const std::string& valueName) {
    EarlierState earlier;
    std::string level;
    for (std::size_t start = 0; start <= subKey.size();) {
        const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
        if (end > start) {
            level += (level.empty() ? "" : "\\") + subKey.substr(start, end - start);
            RegistryKey key;
            if (!key.open(hive, level))
                earlier.missingLevels.push_back(level);
        }
        start = end + 1;
    }
    earlier.value = wholeValue(hive, subKey, valueName);
    return earlier;
}

bool writeJournaled(RegistryHive hive, const std::string& subKey, const std::string& valueName,
                    const std::string& value, const std::optional<EarlierState>& earlier) {
    RegistryKey key;
    const bool written = key.create(hive, subKey) && key.setString(valueName, value);
    if (written && earlier) {
        for (const std::string& level : earlier->missingLevels)
            journal::keyMade(hive, level);
        journal::valueWritten(hive, subKey, valueName, value, earlier->value);
    }
    const char* root =
        hive == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
    runlog::write(written ? "registry" : "registry not written",
                  root + subKey + "\\" + valueName + " = " + value);
    return written;
}

} // namespace

bool writeRegistryString(RegistryHive hive, const std::string& subKey, const std::string& valueName,
                         const std::string& value) {
    std::optional<EarlierState> earlier;
    if (journal::isOpen())
        earlier = earlierState(hive, subKey, valueName);
    return writeJournaled(hive, subKey, valueName, value, earlier);
}

bool deleteRegistryValue(RegistryHive hive, const std::string& subKey,
                         const std::string& valueName) {
    RegistryKey key;
    if (!key.open(hive, subKey))
        return false;
    return key.deleteValue(valueName);
}

void replaceRegistryString(RegistryHive hive, const std::string& subKey,
                           const std::string& valueName, const std::string& value) {
    // Each step may fail on its own (no value yet, no right to write); the write decides.
    // The journal keeps the text from before the replacement.
    std::optional<EarlierState> earlier;
    if (journal::isOpen())
        earlier = earlierState(hive, subKey, valueName);
    std::string scratch;
    if (readRegistryString(hive, subKey, valueName, scratch))
        (void)deleteRegistryValue(hive, subKey, valueName);
    (void)writeJournaled(hive, subKey, valueName, value, earlier);
}
