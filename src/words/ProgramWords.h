#pragma once
// The program's own words, as opposed to the script's texts: written in English where they are
// used and shown in the run's language from the catalogs the program carries inside it, English
// for a language without one.
#include <initializer_list>
#include <string>

namespace words {

// The catalog's name for a language id as the script's "Language" section writes it ("0415" is
// "pl"); empty for English and for a language the program has no catalog for.
std::string catalogLanguage(const std::string& languageId);

// Speaks the language of the id from now on ("" or an unknown id: English), the toolkit's own
// words (its stock buttons) included.
void useLanguage(const std::string& languageId);
// The same for the program's own words alone, without the toolkit: the maker's tools.
void useCatalog(const std::string& languageId);

// Marks a text for the catalogs where it is written, when translate() meets it elsewhere.
constexpr const char* marked(const char* english) {
    return english;
}

// The text in the language in use; the English text itself where the catalog has none.
std::string translate(const char* english);

// The text with "%1", "%2", ... replaced by the values, in order.
std::string translateWith(const char* english, std::initializer_list<std::string> values);

} // namespace words
