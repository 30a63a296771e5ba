#include "words/CatalogFile.h"

#include <cstdint>

namespace words {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;

class CatalogBytes {
public:
    CatalogBytes(const unsigned char* data, std::size_t size) : data(data), size(size) {}

    bool readWord(std::size_t at, std::uint32_t& word) const {
        if (at > size || size - at < 4)
            return false;
        word = swapped ? (std::uint32_t{data[at]} << 24 | std::uint32_t{data[at + 1]} << 16 |
                          std::uint32_t{data[at + 2]} << 8 | data[at + 3])
                       : (data[at] | std::uint32_t{data[at + 1]} << 8 |
                          std::uint32_t{data[at + 2]} << 16 | std::uint32_t{data[at + 3]} << 24);
        return true;
    }

    // The catalog's own byte order, told by its first word.
    bool takeByteOrder() {
        std::uint32_t magic = 0;
        if (!readWord(0, magic))
            return false;
        if (magic == kMagic)
            return true;
        swapped = true;
        return readWord(0, magic) && magic == kMagic;
    }

    // The string whose length and place the table entry at `at` gives.
    bool readString(std::size_t at, std::string& text) const {
        std::uint32_t length = 0;
        std::uint32_t offset = 0;
        if (!readWord(at, length) || !readWord(at + 4, offset) || offset > size ||
            size - offset < length)
            return false;
        text.assign(reinterpret_cast<const char*>(data + offset), length);
        return true;
    }

private:
    const unsigned char* data;
    std::size_t size;
    bool swapped = false;
};

} // namespace

std::unordered_map<std::string, std::string> readCatalog(const unsigned char* data,
                                                         std::size_t size) {
    std::unordered_map<std::string, std::string> translations;
    CatalogBytes bytes(data, size);
    std::uint32_t count = 0;
    std::uint32_t originals = 0;
    std::uint32_t translated = 0;
    if (!data || !bytes.takeByteOrder() || !bytes.readWord(8, count) ||
        !bytes.readWord(12, originals) || !bytes.readWord(16, translated))
        return translations;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string english;
        std::string text;
        if (!bytes.readString(originals + std::size_t{i} * 8, english) ||
            !bytes.readString(translated + std::size_t{i} * 8, text))
            break;
        // The header has the empty text as its key; plural forms keep their first form.
        if (english.empty() || text.empty())
            continue;
        translations.emplace(english.substr(0, english.find('\0')),
                             text.substr(0, text.find('\0')));
    }
    return translations;
}

} // namespace words
