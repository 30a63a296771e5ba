#pragma once
// A compiled gettext catalog (.mo) read without the toolkit: what the installer and the maker's
// tools both carry.
#include <cstddef>
#include <string>
#include <unordered_map>

namespace words {

// English text to its translation. A catalog that is cut short or not a catalog gives what it
// holds whole, or nothing; entries without a translation are left out.
std::unordered_map<std::string, std::string> readCatalog(const unsigned char* data,
                                                         std::size_t size);

} // namespace words
