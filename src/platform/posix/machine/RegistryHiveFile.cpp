#include "platform/posix/machine/RegistryHiveFile.h"

#include "platform/posix/NativePath.h"

namespace platform::posix {
namespace {

constexpr const char* kHeader = "REGEDIT4";
constexpr const char* kLineEnd = "\r\n";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        // Line breaks would end the line in the file; the escapes keep the value whole.
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at text[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const std::string& text, std::size_t& pos, std::string& out) {
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\' || pos + 1 == text.size()) {
            out += c;
            continue;
        }
        const char next = text[++pos];
        switch (next) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
        case '"':
            out += next;
            break;
        default:
            out += '\\';
            out += next;
        }
    }
    return false;
}

// Where the data of a value line starts (after '='), or npos when the line is no value line.
std::size_t dataStart(const std::string& line, std::string& name) {
    std::size_t pos = 0;
    if (line.starts_with("@"))
        pos = 1, name.clear();
    else if (!line.starts_with("\"") || !readQuoted(line, pos, name))
        return std::string::npos;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    if (pos == line.size() || line[pos] != '=')
        return std::string::npos;
    ++pos;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    return pos;
}

// Binary values span several lines, each but the last ending in a backslash.
bool continuesOnNextLine(const std::string& line) {
    std::string name;
    const auto start = dataStart(line, name);
    return start != std::string::npos && start < line.size() && line[start] != '"' &&
           line.back() == '\\';
}

std::vector<std::string> logicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    bool joining = false;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (joining) {
            lines.back().pop_back();
            lines.back() += line;
        } else {
            lines.push_back(line);
        }
        joining = continuesOnNextLine(lines.back());
    }
    return lines;
}

} // namespace

bool RegistryHiveFile::sameName(const std::string& a, const std::string& b) {
    return equalsIgnoringCase(a, b);
}

std::string RegistryHiveFile::normalisedPath(const std::string& path) {
    std::string result;
    std::size_t start = 0;
    while (start <= path.size()) {
        auto end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start) {
            if (!result.empty())
                result += '\\';
            result.append(path, start, end - start);
        }
        start = end + 1;
    }
    return result;
}

bool RegistryHiveFile::isStorableName(const std::string& name) {
    return name.find_first_of("\r\n") == std::string::npos;
}

std::string RegistryHiveFile::fullPath(const std::string& path) const {
    const std::string relative = normalisedPath(path);
    return relative.empty() ? rootName : rootName + "\\" + relative;
}

RegistryHiveFile::Key* RegistryHiveFile::findKey(const std::string& full) {
    const auto found = keyIndex.find(asciiLower(full));
    return found == keyIndex.end() ? nullptr : &keys[found->second];
}

const RegistryHiveFile::Key* RegistryHiveFile::findKey(const std::string& full) const {
    return const_cast<RegistryHiveFile*>(this)->findKey(full);
}

RegistryHiveFile::Key& RegistryHiveFile::addKey(const std::string& full) {
    const std::string lower = asciiLower(full);
    const auto [slot, added] = keyIndex.try_emplace(lower, keys.size());
    if (!added)
        return keys[slot->second];
    for (auto level = lower.find('\\'); level != std::string::npos;
         level = lower.find('\\', level + 1))
        levelsAbove.insert(lower.substr(0, level));
    keys.push_back({full, {}});
    ++changes;
    return keys.back();
}

// The key's position in fixed width, so that no name can make two slots alike.
std::string RegistryHiveFile::valueSlot(const Key& key, const std::string& name) const {
    const std::size_t position = static_cast<std::size_t>(&key - keys.data());
    return std::string(reinterpret_cast<const char*>(&position), sizeof position) +
           asciiLower(name);
}

RegistryHiveFile::Value* RegistryHiveFile::findValue(const Key& key, const std::string& name) {
    const auto found = valueIndex.find(valueSlot(key, name));
    return found == valueIndex.end()
               ? nullptr
               : &keys[static_cast<std::size_t>(&key - keys.data())].values[found->second];
}

const RegistryHiveFile::Value* RegistryHiveFile::findValue(const Key& key,
                                                           const std::string& name) const {
    return const_cast<RegistryHiveFile*>(this)->findValue(key, name);
}

// Replaces the data of a value of the same name (keeping that name's spelling) or adds the value.
void RegistryHiveFile::storeValue(Key& key, Value value) {
    if (Value* existing = findValue(key, value.name)) {
        if (existing->isString == value.isString && existing->data == value.data)
            return;
        existing->isString = value.isString;
        existing->data = std::move(value.data);
    } else {
        valueIndex.emplace(valueSlot(key, value.name), key.values.size());
        key.values.push_back(std::move(value));
    }
    ++changes;
}

void RegistryHiveFile::removeValue(Key& key, Value& value) {
    valueIndex.erase(valueSlot(key, value.name));
    value.removed = true;
    value.data.clear();
    ++changes;
}

void RegistryHiveFile::parse(const std::string& text) {
    keys.clear();
    keyIndex.clear();
    levelsAbove.clear();
    valueIndex.clear();
    std::size_t current = std::string::npos;
    for (const auto& line : logicalLines(text)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name = line.substr(1, line.size() - 2);
            // "[-key]" asks an import to remove the key; it holds nothing to keep.
            current = name.starts_with("-")
                          ? std::string::npos
                          : static_cast<std::size_t>(&addKey(normalisedPath(name)) - keys.data());
        } else if (current != std::string::npos) {
            parseValueLine(keys[current], line);
        }
    }
}

void RegistryHiveFile::parseValueLine(Key& key, const std::string& line) {
    Value value;
    std::size_t pos = dataStart(line, value.name);
    if (pos == std::string::npos || pos == line.size())
        return;
    if (line[pos] == '"') {
        if (!readQuoted(line, pos, value.data))
            return;
    } else {
        value.isString = false;
        value.data = line.substr(pos);
    }
    // "name"=- asks an import to remove the value.
    if (!value.isString && value.data == "-") {
        if (Value* existing = findValue(key, value.name))
            removeValue(key, *existing);
    } else {
        storeValue(key, std::move(value));
    }
}

std::string RegistryHiveFile::text() const {
    std::string out = std::string(kHeader) + kLineEnd + kLineEnd;
    for (const auto& key : keys) {
        out.append("[").append(key.fullPath).append("]").append(kLineEnd);
        for (const auto& value : key.values) {
            if (value.removed)
                continue;
            if (value.name.empty())
                out += "@";
            else
                out.append("\"").append(escaped(value.name)).append("\"");
            out += "=";
            if (value.isString)
                out.append("\"").append(escaped(value.data)).append("\"");
            else
                out += value.data;
            out += kLineEnd;
        }
        out += kLineEnd;
    }
    return out;
}

bool RegistryHiveFile::hasKey(const std::string& path) const {
    const std::string lower = asciiLower(fullPath(path));
    return keyIndex.contains(lower) || levelsAbove.contains(lower);
}

bool RegistryHiveFile::createKey(const std::string& path) {
    const std::string relative = normalisedPath(path);
    if (!isStorableName(relative))
        return false;
    // Every level gets its own section, as the registry editor writes them, unless a key
    // below it already stands for it.
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = relative.find('\\', end + 1);
        const std::string level = relative.substr(0, end);
        if (end == std::string::npos || !hasKey(level))
            addKey(fullPath(level));
    }
    return true;
}

std::optional<std::string> RegistryHiveFile::stringValue(const std::string& path,
                                                         const std::string& name) const {
    const Key* key = findKey(fullPath(path));
    const Value* value = key ? findValue(*key, name) : nullptr;
    if (!value || !value->isString)
        return std::nullopt;
    return value->data;
}

bool RegistryHiveFile::hasValue(const std::string& path, const std::string& name) const {
    const Key* key = findKey(fullPath(path));
    return key && findValue(*key, name);
}

bool RegistryHiveFile::setString(const std::string& path, const std::string& name,
                                 const std::string& value) {
    if (!createKey(path))
        return false;
    storeValue(*findKey(fullPath(path)), {name, true, false, value});
    return true;
}

bool RegistryHiveFile::deleteEmptyKey(const std::string& path) {
    const std::string lower = asciiLower(fullPath(normalisedPath(path)));
    const auto found = keyIndex.find(lower);
    if (found == keyIndex.end() || levelsAbove.contains(lower))
        return false;
    const std::size_t position = found->second;
    for (const Value& value : keys[position].values)
        if (!value.removed)
            return false;
    // Parsed again without the key: every index then holds the remaining keys' places.
    std::vector<Key> remaining = std::move(keys);
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(position));
    const std::uint64_t before = changes;
    keys.clear();
    keyIndex.clear();
    levelsAbove.clear();
    valueIndex.clear();
    for (Key& key : remaining) {
        Key& added = addKey(key.fullPath);
        for (Value& value : key.values)
            if (!value.removed)
                storeValue(added, std::move(value));
    }
    changes = before + 1;
    return true;
}

bool RegistryHiveFile::deleteValue(const std::string& path, const std::string& name) {
    Key* key = findKey(fullPath(path));
    Value* value = key ? findValue(*key, name) : nullptr;
    if (!value)
        return false;
    removeValue(*key, *value);
    return true;
}

} // namespace platform::posix
