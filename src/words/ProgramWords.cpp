#include "words/ProgramWords.h"

#include "words/CarriedCatalogs.h"
#include "words/CatalogFile.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

namespace words {
namespace {

using Catalog = std::unordered_map<std::string, std::string>;

// The catalog in use; each language's is read once and kept while the program runs, so that a
// text looked up on another thread never sees it go.
std::atomic<const Catalog*> catalogInUse{nullptr};

const Catalog* carriedCatalog(const std::string& language) {
    static std::mutex lock;
    static std::map<std::string, Catalog> read;
    const std::lock_guard<std::mutex> hold(lock);
    if (const auto found = read.find(language); found != read.end())
        return &found->second;
    for (const EmbeddedFile* file = programCatalogFiles; file->name; ++file)
        if (file->name == language + ".mo")
            return &read.emplace(language, readCatalog(file->data, file->size)).first->second;
    return nullptr;
}

std::optional<std::string> lookUpInCatalog(const char* english) {
    const Catalog* catalog = catalogInUse.load();
    if (!catalog)
        return std::nullopt;
    const auto found = catalog->find(english);
    return found == catalog->end() ? std::nullopt : std::optional<std::string>(found->second);
}

} // namespace

void useCatalog(const std::string& languageId) {
    const std::string language = catalogLanguage(languageId);
    catalogInUse = language.empty() ? nullptr : carriedCatalog(language);
}

std::string catalogLanguage(const std::string& languageId) {
    // The primary language is the id's low ten bits, whatever its country: 0415 and 0815 alike.
    char* end = nullptr;
    const unsigned long id = std::strtoul(languageId.c_str(), &end, 16);
    if (languageId.empty() || *end != '\0')
        return {};
    switch (id & 0x3ff) {
    case 0x15:
        return "pl";
    default:
        return {};
    }
}

std::string translate(const char* english) {
    if (std::optional<std::string> translated = lookUpInCatalog(english))
        return *std::move(translated);
    return english;
}

std::string translateWith(const char* english, std::initializer_list<std::string> values) {
    const std::string pattern = translate(english);
    const std::vector<std::string> given(values);
    // One pass, so that a value that holds "%2" itself stays as it is.
    std::string result;
    for (std::size_t at = 0; at < pattern.size(); ++at) {
        const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
        if (pattern[at] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < given.size()) {
            result += given[static_cast<std::size_t>(next - '1')];
            ++at;
        } else {
            result += pattern[at];
        }
    }
    return result;
}

} // namespace words
