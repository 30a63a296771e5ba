#include "journal/RunUndo.h"

#include "journal/JournalRecords.h"
#include "platform/NativeFiles.h"
#include "platform/Registry.h"
#include "system/RegistryStrings.h"
#include "words/ProgramWords.h"

#include <set>

namespace {

using journal::Line;

std::size_t lastRunLine(const journal::Journal& journal) {
    for (std::size_t index = journal.lines.size(); index-- > 0;)
        if (journal.lines[index].kind == journal::kind::kRun)
            return index;
    return journal.lines.size();
}

bool isRestoredValue(const Line& line) {
    return line.kind == journal::kind::kValue && line.field(5) == "yes";
}

} // namespace

void undoLastRun(const journal::Journal& journal, RemovalReport& report) {
    const std::size_t first = lastRunLine(journal);
    if (first == journal.lines.size())
        return;
    // What earlier runs made is theirs: a file this run found in place and listed again stays.
    std::set<std::string> earlier;
    for (std::size_t index = 0; index < first; ++index)
        if (journal.lines[index].kind == journal::kind::kFile ||
            journal.lines[index].kind == journal::kind::kFolder)
            earlier.insert(journal.lines[index].field(0));
    journal::Journal thisRun = journal;
    thisRun.lines.resize(first + 1);
    for (std::size_t index = first + 1; index < journal.lines.size(); ++index) {
        const Line& line = journal.lines[index];
        const bool madeBefore = (line.kind == journal::kind::kFile ||
                                 line.kind == journal::kind::kFolder) &&
                                earlier.count(line.field(0));
        if (!madeBefore && !isRestoredValue(line))
            thisRun.lines.push_back(line);
    }
    removeListed(thisRun, first, report);

    for (std::size_t index = journal.lines.size(); index-- > first;) {
        const Line& line = journal.lines[index];
        if (line.kind == journal::kind::kReplaced && !line.field(1).empty()) {
            const bool back = platform::nativeKind(line.field(0)) == platform::NativeKind::Missing &&
                              platform::renameNative(line.field(1), line.field(0));
            if (report.tell)
                report.tell(back ? RemovalReport::Outcome::Removed : RemovalReport::Outcome::Failed,
                            line.field(0),
                            back ? words::translate("put back as it was before")
                                 : words::translateWith("it could not be put back from %1",
                                                        {line.field(1)}));
            if (!back)
                ++report.problems;
        } else if (isRestoredValue(line)) {
            if (const auto hive = journal::hiveNamed(line.field(0)))
                (void)writeRegistryString(*hive, line.field(1), line.field(2), line.field(4));
        }
    }
    if (std::string reason; !platform::commitRegistryWrites(reason) && report.tell) {
        report.tell(RemovalReport::Outcome::Failed, reason, {});
        ++report.problems;
    }
}

void dropKeptFiles(const journal::Journal& journal) {
    for (std::size_t index = lastRunLine(journal); index < journal.lines.size(); ++index) {
        const Line& line = journal.lines[index];
        if (line.kind == journal::kind::kReplaced && !line.field(1).empty())
            (void)platform::removeNativeFile(line.field(1));
    }
}
