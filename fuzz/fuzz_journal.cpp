// The journal reader on any bytes, as a person's editor may leave the file: no crash, leak or
// hang; every line it takes formats back to the same line, and the places and the resume index
// built from it answer without touching anything outside what they are asked.
#include "journal/InstallationPlaces.h"
#include "journal/JournalLine.h"
#include "journal/JournalReading.h"
#include "journal/ResumeIndex.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path& journalFile() {
    static const fs::path file = [] {
        const fs::path root = fs::temp_directory_path() /
                              ("fuzz-journal-" + std::to_string(std::rand()) + "-" +
                               std::to_string(fs::file_time_type::clock::now()
                                                  .time_since_epoch()
                                                  .count()));
        fs::create_directories(root);
        return root / "MoonriseHarbour_English.journal";
    }();
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(journalFile(), std::ios::binary | std::ios::trunc) << bytes;
    std::string problem;
    const auto journal = journal::readJournal(journalFile().string(), problem);
    if (!journal)
        return 0;
    for (const journal::Line& line : journal->lines) {
        const auto again = journal::parseLine(journal::formatLine(line));
        if (!again || again->kind != line.kind || again->fields != line.fields) {
            std::fprintf(stderr, "a line does not read back as it was written\n");
            std::abort();
        }
    }
    const InstallationPlaces places = placesOf(*journal);
    for (const journal::Line& line : journal->lines) {
        (void)places.holdsFile(line.field(3), line.field(0));
        (void)places.holdsFolder(line.field(0));
    }
    (void)ResumeIndex::of(*journal, "/nowhere/target").empty();
    return 0;
}
