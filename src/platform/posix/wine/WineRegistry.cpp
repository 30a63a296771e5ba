#include "platform/posix/wine/WineRegistry.h"

#include "platform/SystemActivity.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/machine/RegistryHiveFile.h"
#include "platform/posix/wine/WinePrefix.h"
#include "platform/posix/wine/WineRun.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace platform::posix {
namespace {

// One change for the import: a key made, a value set, or (no value) a value deleted.
struct Change {
    RegistryHive hive;
    std::string path;
    std::string name;
    std::optional<std::string> value;
    bool keyOnly = false;
    bool keyRemoved = false; // an empty key taken away
};

// What is known of one hive: the text of every key read so far, with the gathered changes on top.
struct HiveView {
    explicit HiveView(const char* rootName) : root(rootName), view(rootName) {}
    std::string root;
    std::string exported;
    std::vector<std::string> readPaths; // lower case; a read key holds its whole subtree
    RegistryHiveFile view;
};

struct State {
    HiveView hives[2]{HiveView("HKEY_CURRENT_USER"), HiveView("HKEY_LOCAL_MACHINE")};
    std::vector<Change> pending;
    bool importAtEndArranged = false;
};

State& state() {
    static State current;
    return current;
}

HiveView& hiveOf(RegistryHive hive) {
    return state().hives[hive == RegistryHive::CurrentUser ? 0 : 1];
}

void apply(RegistryHiveFile& view, const Change& change) {
    if (change.keyRemoved)
        (void)view.deleteEmptyKey(change.path);
    else if (change.keyOnly)
        (void)view.createKey(change.path);
    else if (change.value)
        (void)view.setString(change.path, change.name, *change.value);
    else
        (void)view.deleteValue(change.path, change.name);
}

void rebuild(RegistryHive hive) {
    HiveView& known = hiveOf(hive);
    known.view.parse(known.exported);
    for (const Change& change : state().pending)
        if (change.hive == hive)
            apply(known.view, change);
}

// Reads the key from the prefix unless it or a key above it was read before.
RegistryHiveFile& viewHolding(RegistryHive hive, const std::string& path) {
    HiveView& known = hiveOf(hive);
    const std::string relative = RegistryHiveFile::normalisedPath(path);
    const std::string lower = asciiLower(relative);
    for (const std::string& read : known.readPaths)
        if (read.empty() || lower == read || lower.starts_with(read + "\\"))
            return known.view;
    known.readPaths.push_back(lower);
    const std::string full = relative.empty() ? known.root : known.root + "\\" + relative;
    if (const auto text = exportWineKey(winePrefix(), full, true))
        known.exported += *text + "\r\n";
    rebuild(hive);
    return known.view;
}

void forgetReads() {
    for (HiveView& known : state().hives) {
        known.exported.clear();
        known.readPaths.clear();
        known.view.parse({});
    }
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// A string that a quoted text cannot hold (a line break) as the registry editor writes it: its
// UTF-16 bytes with the terminator, as REG_SZ.
std::string hexString(const std::string& text) {
    const std::string bytes = convertText(text, "UTF-8", "UTF-16LE") + std::string(2, '\0');
    std::string out = "hex(1):";
    char pair[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(bytes[i]));
        out += (i ? "," : "") + std::string(pair);
    }
    return out;
}

std::string valueLine(const Change& change) {
    std::string line = change.name.empty() ? "@=" : quoted(change.name) + "=";
    if (!change.value)
        return line + "-";
    if (change.value->find_first_of("\r\n") != std::string::npos)
        return line + hexString(*change.value);
    return line + quoted(*change.value);
}

// The registry editor's text of the changes: each key once, in the order it was first changed,
// with the last change of each of its values, which are counted.
std::string importText(const std::vector<Change>& changes, std::size_t& valueCount) {
    struct Key {
        std::string fullPath;
        std::vector<const Change*> values;
    };
    std::vector<Key> keys;
    for (const Change& change : changes) {
        const std::string full = (change.keyRemoved ? "-" : "") + hiveOf(change.hive).root +
                                 "\\" + change.path;
        auto key = std::find_if(keys.begin(), keys.end(),
                                [&](const Key& k) { return equalsIgnoringCase(k.fullPath, full); });
        if (key == keys.end())
            key = keys.insert(keys.end(), Key{full, {}});
        if (change.keyOnly)
            continue;
        auto value = std::find_if(key->values.begin(), key->values.end(), [&](const Change* v) {
            return equalsIgnoringCase(v->name, change.name);
        });
        if (value == key->values.end())
            key->values.push_back(&change);
        else
            *value = &change;
    }
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    valueCount = 0;
    for (const Key& key : keys) {
        valueCount += key.values.size();
        text += "[" + key.fullPath + "]\r\n";
        for (const Change* value : key.values)
            text += valueLine(*value) + "\r\n";
        text += "\r\n";
    }
    return text;
}

void importAtEnd() {
    if (!importWineRegistryChanges())
        std::fputs("setup: Wine did not take the installation's registry values\n", stderr);
}

bool gather(Change change) {
    if (!RegistryHiveFile::isStorableName(change.path) ||
        !RegistryHiveFile::isStorableName(change.name))
        return false;
    change.path = RegistryHiveFile::normalisedPath(change.path);
    apply(hiveOf(change.hive).view, change);
    state().pending.push_back(std::move(change));
    // A run that starts no program hands its values to Wine as it ends; the program says when,
    // or else its end does.
    if (!state().importAtEndArranged) {
        finishSystemWorkWith(importAtEnd);
        state().importAtEndArranged = std::atexit(importAtEnd) == 0;
    }
    return true;
}

} // namespace

bool wineHasKey(RegistryHive hive, const std::string& path) {
    return viewHolding(hive, path).hasKey(path);
}

std::optional<std::string> wineStringValue(RegistryHive hive, const std::string& path,
                                           const std::string& name) {
    return viewHolding(hive, path).stringValue(path, name);
}

bool wineHasValue(RegistryHive hive, const std::string& path, const std::string& name) {
    return viewHolding(hive, path).hasValue(path, name);
}

bool wineCreateKey(RegistryHive hive, const std::string& path) {
    return gather({hive, path, {}, std::nullopt, true});
}

bool wineSetString(RegistryHive hive, const std::string& path, const std::string& name,
                   const std::string& value) {
    return gather({hive, path, name, value, false});
}

bool wineDeleteValue(RegistryHive hive, const std::string& path, const std::string& name) {
    if (!wineHasValue(hive, path, name))
        return false;
    return gather({hive, path, name, std::nullopt, false});
}

// The import removes a key with all it holds: it is asked only for a key seen empty.
bool wineDeleteEmptyKey(RegistryHive hive, const std::string& path) {
    RegistryHiveFile probe = viewHolding(hive, path);
    if (!probe.deleteEmptyKey(path))
        return false;
    return gather({hive, path, {}, std::nullopt, true, true});
}

bool importWineRegistryChanges() {
    State& current = state();
    const std::string& prefix = winePrefix();
    if (current.pending.empty() || prefix.empty())
        return true;
    const auto start = std::chrono::steady_clock::now();
    const WineScratchFile file(prefix, "import");
    std::size_t values = 0;
    const std::string text = importText(current.pending, values);
    std::ofstream(file.nativePath, std::ios::binary)
        << "\xFF\xFE" << convertText(text, "UTF-8", "UTF-16LE");
    const bool imported =
        runWine(prefix, {"reg", "import", file.windowsPath, "/reg:32"}, false) == 0;
    noteSystemActivity("wine", (imported ? "imported " : "import failed: ") +
                                   std::to_string(values) + " registry values in one import (" +
                                   secondsText(start) + ")");
    if (!imported)
        return false;
    current.pending.clear();
    // From now on the prefix holds the values; later reads ask it again.
    forgetReads();
    return true;
}

bool commitWineRegistryChanges(std::string& reason) {
    const std::vector<Change> handed = state().pending;
    if (!importWineRegistryChanges()) {
        reason = "Wine did not take the installation's registry values (reg import failed)";
        return false;
    }
    // Read back from the prefix itself: an import that Wine acknowledged but did not complete
    // leaves the product without its records all the same.
    for (std::size_t index = 0; index < handed.size(); ++index) {
        const Change& change = handed[index];
        // Only a value's last change tells what the registry must hold now.
        const bool changedLater =
            std::any_of(handed.begin() + static_cast<std::ptrdiff_t>(index) + 1, handed.end(),
                        [&](const Change& later) {
                            return !later.keyOnly && later.hive == change.hive &&
                                   equalsIgnoringCase(later.path, change.path) &&
                                   equalsIgnoringCase(later.name, change.name);
                        });
        if (change.keyOnly || changedLater)
            continue;
        const std::optional<std::string> stored = wineStringValue(change.hive, change.path, change.name);
        if (stored != change.value) {
            reason = "Wine's registry does not hold " + hiveOf(change.hive).root + "\\" +
                     change.path + "\\" + (change.name.empty() ? "(default)" : change.name) +
                     " as the installation wrote it";
            noteSystemActivity("wine", "read back: " + reason);
            return false;
        }
    }
    return true;
}

} // namespace platform::posix
