#include "journal/JournalReading.h"

#include "journal/JournalRecords.h"
#include "platform/AsciiCase.h"
#include "platform/NativeFiles.h"

#include <cstdio>

namespace journal {
namespace {

// Far more than the lines of any installation: a file past it is no journal of ours.
constexpr std::size_t kMostBytes = std::size_t{256} << 20;

bool readWhole(const std::string& nativePath, std::string& text) {
    std::FILE* file = platform::openNativeForReading(nativePath);
    if (!file)
        return false;
    char buffer[1 << 15];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= kMostBytes)
        text.append(buffer, read);
    const bool whole = !std::ferror(file) && text.size() <= kMostBytes;
    std::fclose(file);
    return whole;
}

std::string fileNameOfPath(const std::string& nativePath) {
    return nativePath.substr(nativePath.find_last_of("\\/") + 1);
}

} // namespace

std::optional<Journal> readJournal(const std::string& nativePath, std::string& problem) {
    std::string text;
    if (!readWhole(nativePath, text)) {
        problem = nativePath + ": the journal cannot be read";
        return std::nullopt;
    }
    Journal journal;
    journal.path = nativePath;
    bool haveProduct = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        // A last line without its line break was being written when the run ended: it is not
        // whole, and not taken.
        if (end == std::string::npos)
            break;
        const std::optional<Line> line = parseLine(text.substr(start, end - start));
        start = end + 1;
        if (!line)
            continue;
        if (!haveProduct) {
            if (line->kind != kind::kProduct || line->field(0).empty()) {
                problem = nativePath + ": not an installation journal (no product line)";
                return std::nullopt;
            }
            journal.product = {line->field(0), line->field(1)};
            haveProduct = true;
            continue;
        }
        journal.lines.push_back(*line);
    }
    if (!haveProduct) {
        problem = nativePath + ": not an installation journal (no product line)";
        return std::nullopt;
    }
    if (fileNameOfPath(nativePath) != journalFileNameOf(journal.product.key)) {
        problem = nativePath + ": the journal of another product (" + journal.product.key + ")";
        return std::nullopt;
    }
    return journal;
}

std::vector<Journal> findJournals(const std::string& name, std::vector<std::string>& problems) {
    std::vector<Journal> found;
    const std::string folder = platform::journalFolder();
    std::vector<std::string> names;
    if (folder.empty() || !platform::nativeFolderNames(folder, names))
        return found;
    for (const std::string& file : names) {
        if (!file.ends_with(".journal"))
            continue;
        std::string problem;
        std::optional<Journal> journal = readJournal(platform::nativeJoin(folder, file), problem);
        if (!journal) {
            problems.push_back(problem);
            continue;
        }
        if (platform::equalsIgnoringCase(journal->product.displayName, name) ||
            platform::equalsIgnoringCase(journal->product.key, name))
            found.push_back(std::move(*journal));
    }
    return found;
}

const Line* lastRun(const Journal& journal) {
    for (auto line = journal.lines.rbegin(); line != journal.lines.rend(); ++line)
        if (line->kind == kind::kRun)
            return &*line;
    return nullptr;
}

} // namespace journal
