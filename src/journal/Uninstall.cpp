#include "journal/Uninstall.h"

#include "journal/InstallationPlaces.h"
#include "journal/JournalRecords.h"
#include "journal/Sha256.h"
#include "platform/Machine.h"
#include "platform/NativeFiles.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "words/ProgramWords.h"

#include <cstdint>
#include <cstdio>
#include <set>

namespace {

using Outcome = RemovalReport::Outcome;
using journal::Line;

std::string registryName(platform::RegistryHive hive, const std::string& key,
                         const std::string* value = nullptr) {
    std::string name = (hive == platform::RegistryHive::CurrentUser ? "HKEY_CURRENT_USER\\"
                                                                    : "HKEY_LOCAL_MACHINE\\") +
                       key;
    if (value)
        name += "\\" + (value->empty() ? std::string("(default)") : *value);
    return name;
}

void tell(RemovalReport& report, Outcome outcome, const std::string& thing,
          const std::string& why = {}) {
    if (outcome == Outcome::Removed)
        ++report.removed;
    else if (outcome == Outcome::Kept)
        ++report.kept;
    else if (outcome == Outcome::Refused || outcome == Outcome::Failed)
        ++report.problems;
    if (report.tell)
        report.tell(outcome, thing, why);
}

// A few of the names that keep a folder, so that a person sees whose they are.
std::string heldNames(const std::string& folder) {
    std::vector<std::string> names;
    (void)platform::nativeFolderNames(folder, names);
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < 3; ++i)
        text += (i ? ", " : "") + names[i];
    if (names.size() > 3)
        text += ", …";
    return text;
}

void removeFile(const Line& line, const InstallationPlaces& places, RemovalReport& report) {
    const std::string& path = line.field(journal::filefield::kPath);
    const std::string& role = line.field(journal::filefield::kRole);
    if (role == journal::role::kShared) {
        tell(report, Outcome::Kept, path, words::translate("the maker's other products share it"));
        return;
    }
    if (!places.holdsFile(role, path)) {
        tell(report, Outcome::Refused, path,
             words::translate("the journal names it outside the installation's folders"));
        return;
    }
    switch (platform::nativeKind(path)) {
    case platform::NativeKind::Missing:
        tell(report, Outcome::Gone, path);
        return;
    case platform::NativeKind::File:
        break;
    default:
        tell(report, Outcome::Kept, path, words::translate("it is no longer the file installed"));
        return;
    }
    const std::optional<FileDigest> digest = digestOfNativeFile(path);
    if (!digest || std::to_string(digest->bytes) != line.field(journal::filefield::kBytes) ||
        digest->sha256 != line.field(journal::filefield::kSha256)) {
        tell(report, Outcome::Kept, path, words::translate("it was changed since it was installed"));
        return;
    }
    if (platform::removeNativeFile(path))
        tell(report, Outcome::Removed, path);
    else
        tell(report, Outcome::Failed, path, words::translate("it could not be removed"));
}

void removeFolder(const std::string& path, const InstallationPlaces& places,
                  RemovalReport& report) {
    if (!places.holdsFolder(path)) {
        tell(report, Outcome::Refused, path,
             words::translate("the journal names it outside the installation's folders"));
        return;
    }
    const platform::NativeKind kind = platform::nativeKind(path);
    if (kind == platform::NativeKind::Missing) {
        tell(report, Outcome::Gone, path);
        return;
    }
    if (kind != platform::NativeKind::Folder) {
        tell(report, Outcome::Kept, path, words::translate("it is no longer the folder made"));
        return;
    }
    if (platform::removeNativeEmptyFolder(path))
        tell(report, Outcome::Removed, path);
    else if (const std::string held = heldNames(path); !held.empty())
        tell(report, Outcome::Kept, path,
             words::translateWith("it still holds %1", {held}));
    else
        tell(report, Outcome::Failed, path, words::translate("it could not be removed"));
}

void removeValue(const Line& line, const InstallationPlaces& places, RemovalReport& report) {
    const std::optional<platform::RegistryHive> hive = journal::hiveNamed(line.field(0));
    const std::string& key = line.field(1);
    const std::string& name = line.field(2);
    const std::string thing = hive ? registryName(*hive, key, &name) : line.field(0) + "\\" + key;
    if (!hive || !places.holdsValue(*hive, key)) {
        tell(report, Outcome::Refused, thing,
             words::translate("the journal names it outside the installation's keys"));
        return;
    }
    platform::RegistryKey open;
    std::string stored;
    if (!open.open(*hive, key) || !open.queryString(name, stored, SIZE_MAX)) {
        tell(report, Outcome::Gone, thing);
        return;
    }
    if (stored != line.field(3)) {
        tell(report, Outcome::Kept, thing, words::translate("it was changed since it was written"));
        return;
    }
    if (open.deleteValue(name))
        tell(report, Outcome::Removed, thing);
    else
        tell(report, Outcome::Failed, thing, words::translate("it could not be removed"));
}

void removeKey(const Line& line, const InstallationPlaces& places, RemovalReport& report) {
    const std::optional<platform::RegistryHive> hive = journal::hiveNamed(line.field(0));
    const std::string& key = line.field(1);
    const std::string thing = hive ? registryName(*hive, key) : line.field(0) + "\\" + key;
    if (!hive || !places.holdsKey(*hive, key)) {
        tell(report, Outcome::Refused, thing,
             words::translate("the journal names it outside the installation's keys"));
        return;
    }
    if (platform::RegistryKey open; !open.open(*hive, key))
        tell(report, Outcome::Gone, thing);
    else if (platform::deleteEmptyRegistryKey(*hive, key))
        tell(report, Outcome::Removed, thing);
    else
        tell(report, Outcome::Kept, thing,
             words::translate("it holds values or keys the installation did not write"));
}

// What a line is about: a file, folder or prefix by its path, whatever the role of its newest
// line; a key by its hive and path; a value by its name too.
std::string thingOf(const Line& line) {
    std::string thing = line.kind + "\t" + line.field(0);
    if (line.kind == journal::kind::kKey || line.kind == journal::kind::kValue)
        thing += "\t" + line.field(1);
    if (line.kind == journal::kind::kValue)
        thing += "\t" + line.field(2);
    return thing;
}

} // namespace

void removeListed(const journal::Journal& journal, std::size_t firstLine, RemovalReport& report) {
    const InstallationPlaces places = placesOf(journal);
    std::set<std::string> done; // each thing once, as its newest line leaves it
    for (std::size_t index = journal.lines.size(); index-- > firstLine;) {
        const Line& line = journal.lines[index];
        const bool once = line.kind == journal::kind::kFile || line.kind == journal::kind::kFolder ||
                          line.kind == journal::kind::kKey || line.kind == journal::kind::kValue ||
                          line.kind == journal::kind::kPrefix;
        if (!once)
            continue;
        if (!done.insert(thingOf(line)).second)
            continue;
        if (line.kind == journal::kind::kFile)
            removeFile(line, places, report);
        else if (line.kind == journal::kind::kFolder)
            removeFolder(line.field(0), places, report);
        else if (line.kind == journal::kind::kValue)
            removeValue(line, places, report);
        else if (line.kind == journal::kind::kKey)
            removeKey(line, places, report);
        else
            tell(report, Outcome::Kept, line.field(0),
                 words::translate("the Wine prefix stays: other programs may live in it"));
    }
    if (std::string reason; !platform::commitRegistryWrites(reason))
        tell(report, Outcome::Failed, reason);
}

std::optional<journal::Journal> journalNamed(const std::string& name) {
    std::vector<std::string> problems;
    std::vector<journal::Journal> found = journal::findJournals(name, problems);
    for (const std::string& problem : problems)
        std::fprintf(stderr, "setup: %s\n", problem.c_str());
    if (found.empty()) {
        std::fputs(("setup: " +
                    words::translateWith("no installation of %1 is recorded in %2", {name,
                                         platform::journalFolder()}) + "\n")
                       .c_str(),
                   stderr);
        return std::nullopt;
    }
    if (found.size() > 1) {
        std::string keys;
        for (const journal::Journal& each : found)
            keys += "\n  " + each.product.key;
        std::fputs(("setup: " +
                    words::translateWith("%1 names more than one installation; give one of:",
                                         {name}) + keys + "\n")
                       .c_str(),
                   stderr);
        return std::nullopt;
    }
    return std::move(found.front());
}

namespace {

// In a Wine prefix the product's own uninstaller knows its product best; it runs first, and what
// it leaves of the installation's is removed after it.
void runOwnUninstaller(const journal::Journal& journal) {
    const journal::Line* run = journal::lastRun(journal);
    if (!run || run->field(journal::runfield::kWinePrefix).empty())
        return;
    platform::workInWinePrefix(run->field(journal::runfield::kWinePrefix));
    std::string command;
    for (const Line& line : journal.lines)
        if (line.kind == journal::kind::kValue && line.field(2) == "UninstallString")
            command = line.field(3);
    if (command.empty() || platform::nativeKind(platform::toNativePath(command)) !=
                               platform::NativeKind::File)
        return;
    const int status = platform::spawnAndWait(command, {command});
    std::printf("%s\n", words::translateWith("the product's own uninstaller %1 ended (exit code %2)",
                                             {command, std::to_string(status)})
                            .c_str());
}

} // namespace

int uninstallCommand(const std::string& name) {
    const std::optional<journal::Journal> journal = journalNamed(name);
    if (!journal)
        return 1;
    std::printf("%s\n", words::translateWith("Uninstalling %1 (%2), as its journal %3 lists it.",
                                             {journal->product.displayName, journal->product.key,
                                              journal->path})
                            .c_str());
    runOwnUninstaller(*journal);
    RemovalReport report;
    report.tell = [](Outcome outcome, const std::string& thing, const std::string& why) {
        static const char* const kWords[] = {
            words::marked("removed"), words::marked("already gone"), words::marked("kept"),
            words::marked("refused"), words::marked("not removed")};
        std::string line = words::translate(kWords[static_cast<int>(outcome)]) + ": " + thing;
        if (!why.empty())
            line += " (" + why + ")";
        std::printf("%s\n", line.c_str());
    };
    removeListed(*journal, 0, report);
    std::printf("%s\n", words::translateWith("Removed %1, kept %2, not removed %3.",
                                             {std::to_string(report.removed),
                                              std::to_string(report.kept),
                                              std::to_string(report.problems)})
                            .c_str());
    if (report.problems > 0)
        return 1;
    // Nothing of the installation's is left to go by: its journal goes too.
    (void)platform::removeNativeFile(journal->path);
    return 0;
}
