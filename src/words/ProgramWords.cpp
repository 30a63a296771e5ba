#include "words/ProgramWords.h"
#include "words/TranslationLookup.h"

#include <atomic>
#include <cstdlib>
#include <vector>

namespace words {
namespace {

std::atomic<Lookup> catalogLookup{nullptr};

} // namespace

void setLookup(Lookup lookup) {
    catalogLookup = lookup;
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
    if (const Lookup lookup = catalogLookup.load())
        if (std::optional<std::string> translated = lookup(english))
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
