#pragma once
// Where translate() finds the run's language: the program's catalogs, once useLanguage has chosen
// one; until then, and in the maker's tools, which carry none, every text stays English.
#include <optional>
#include <string>

namespace words {

using Lookup = std::optional<std::string> (*)(const char* english);
void setLookup(Lookup lookup);

} // namespace words
