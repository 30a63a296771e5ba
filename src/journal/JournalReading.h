#pragma once
// Reading a product's journal back, and finding it from the product's name.
#include "journal/InstallJournal.h"
#include "journal/JournalLine.h"

#include <optional>
#include <string>
#include <vector>

namespace journal {

struct Journal {
    std::string path;
    Product product;
    std::vector<Line> lines; // every line after the product line, in the file's order
};

// Reads a journal file; nothing, with the reason, when it cannot be read, does not begin with
// its product, or is not the journal its file name says (another product's under this name).
std::optional<Journal> readJournal(const std::string& nativePath, std::string& problem);

// The journals in the journal folder whose product has the name as its display name or key
// (letter case ignored). problems gets the journals that could not be read.
std::vector<Journal> findJournals(const std::string& name, std::vector<std::string>& problems);

// The last run line of the journal; nothing before the first run.
const Line* lastRun(const Journal& journal);

} // namespace journal
