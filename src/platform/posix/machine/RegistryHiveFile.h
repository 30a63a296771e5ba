#pragma once
// One hive in the registry editor's REGEDIT4 text format, held in memory: parsed from a file's
// text, changed, and written back as text. Keys and values are found through indexes of their
// lower-cased names, so reading, changing and writing a hive costs time in proportion to its size.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace platform::posix {

class RegistryHiveFile {
public:
    // rootName is the hive's name in the file ("HKEY_CURRENT_USER"); sections of other roots are
    // kept as they are but cannot be reached.
    explicit RegistryHiveFile(std::string rootName) : rootName(std::move(rootName)) {}

    // Takes the keys and values of a REGEDIT4 text. Comments and lines that are no key or
    // value are dropped; a repeated key adds to the first one; a later value of the same name wins.
    void parse(const std::string& text);
    std::string text() const;
    // Counts the changes made since construction; unchanged when a call changed nothing.
    std::uint64_t changeCount() const { return changes; }

    // Key paths are relative to the root ("Software\Maker"); empty levels are passed over.
    // A key exists when it or a key below it is in the file.
    bool hasKey(const std::string& path) const;
    // Adds the key and every missing level above it; false when a name cannot be stored.
    bool createKey(const std::string& path);

    // The text of a string value; nothing when the key or value is missing or not a string.
    std::optional<std::string> stringValue(const std::string& path, const std::string& name) const;
    bool hasValue(const std::string& path, const std::string& name) const;
    // Creates the key as needed. False when a name cannot be stored.
    bool setString(const std::string& path, const std::string& name, const std::string& value);
    // False when the key or the value is missing.
    bool deleteValue(const std::string& path, const std::string& name);
    // Removes the key's section when the key holds no values and no keys below it.
    bool deleteEmptyKey(const std::string& path);

    // True when the name may stand in the file (no line breaks).
    static bool isStorableName(const std::string& name);
    // Names compare without regard to letter case (ASCII letters).
    static bool sameName(const std::string& a, const std::string& b);
    // The path with empty levels dropped: "a\\b\" becomes "a\b".
    static std::string normalisedPath(const std::string& path);

private:
    struct Value {
        std::string name;
        bool isString = true;
        bool removed = false; // kept in place so that the others keep their positions
        std::string data;     // the string itself, or the raw text after '=' for other types
    };
    struct Key {
        std::string fullPath; // with the root name, as in the file's section line
        std::vector<Value> values;
    };

    std::string fullPath(const std::string& path) const;
    Key* findKey(const std::string& fullPath);
    const Key* findKey(const std::string& fullPath) const;
    Key& addKey(const std::string& fullPath);
    Value* findValue(const Key& key, const std::string& name);
    const Value* findValue(const Key& key, const std::string& name) const;
    void storeValue(Key& key, Value value);
    void removeValue(Key& key, Value& value);
    void parseValueLine(Key& key, const std::string& line);
    std::string valueSlot(const Key& key, const std::string& name) const;

    std::string rootName;
    std::vector<Key> keys; // in the file's order
    // Lower-cased full path to the key's position in keys.
    std::unordered_map<std::string, std::size_t> keyIndex;
    // Lower-cased full paths of every level above a key: those exist through their descendants.
    std::unordered_set<std::string> levelsAbove;
    // The key's position and the lower-cased value name to the value's position in its key.
    std::unordered_map<std::string, std::size_t> valueIndex;
    std::uint64_t changes = 0;
};

} // namespace platform::posix
