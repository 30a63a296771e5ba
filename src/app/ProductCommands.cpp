#include "app/ProductCommands.h"

#include "app/MediumStart.h"
#include "copy/CopyEngine.h"
#include "journal/InstallJournal.h"
#include "journal/InstalledFiles.h"
#include "journal/JournalRecords.h"
#include "journal/ResumeIndex.h"
#include "journal/Uninstall.h"
#include "paths/DrivePath.h"
#include "platform/Files.h"
#include "platform/Machine.h"
#include "platform/Medium.h"
#include "platform/Paths.h"
#include "script/SetupScript.h"
#include "session/CommandLine.h"
#include "session/SessionSetup.h"
#include "words/ProgramWords.h"

#include <cstdio>
#include <optional>

namespace {

void say(const std::string& text) {
    std::printf("%s\n", text.c_str());
}

// The medium where it is now, made the run's (an image is mounted); empty without one, nothing
// when it cannot be used (the reason was told).
std::optional<std::string> mediumOf(const CommandLine& line, const std::string& programName,
                                    const journal::Journal& journal) {
    if (line.medium.empty())
        return std::string();
    if (const journal::Line* run = journal::lastRun(journal))
        if (const std::string& prefix = run->field(journal::runfield::kWinePrefix); !prefix.empty())
            platform::workInWinePrefix(prefix);
    if (!platform::canStartOnMedium())
        return line.medium;
    if (startOnTheMedium(line, programName))
        return std::nullopt;
    return platform::toNativePath(ownProgramFolder());
}

const char* findingWords(FileFinding::Kind kind) {
    switch (kind) {
    case FileFinding::Kind::Missing:
        return words::marked("missing");
    case FileFinding::Kind::Changed:
        return words::marked("changed");
    case FileFinding::Kind::MediumDiffers:
        break;
    }
    return words::marked("not as on the medium");
}

void tellFindings(const std::vector<FileFinding>& findings) {
    for (const FileFinding& finding : findings)
        say(words::translate(findingWords(finding.kind)) + ": " + finding.path);
}

// The script's language the product was installed in: the product key is the program's name in
// the script, an underscore and the language section.
std::string languageOf(const journal::Journal& journal, const std::string& scriptPath) {
    const std::string program = SetupScript(scriptPath).readText("Option", "PROGRAM_NAME");
    const std::string& key = journal.product.key;
    if (program.empty() || key.size() <= program.size() + 1 || key.compare(0, program.size(), program))
        return {};
    return key.substr(program.size() + 1);
}

} // namespace

int verifyCommand(const CommandLine& line, const std::string& programName) {
    if (const auto status = openRunLog(line, {}))
        return *status;
    const std::optional<journal::Journal> journal = journalNamed(line.product);
    if (!journal)
        return 1;
    const std::optional<std::string> medium = mediumOf(line, programName, *journal);
    if (!medium)
        return 1;
    const std::vector<FileFinding> findings = checkInstalledFiles(*journal, *medium);
    tellFindings(findings);
    say(findings.empty()
            ? words::translateWith("Every file of %1 is as it was installed.",
                                   {journal->product.displayName})
            : words::translateWith("%1 files of %2 are not as they were installed.",
                                   {std::to_string(findings.size()), journal->product.displayName}));
    return findings.empty() ? 0 : 1;
}

int repairCommand(const CommandLine& line, const std::string& programName) {
    if (const auto status = openRunLog(line, {}))
        return *status;
    const std::optional<journal::Journal> journal = journalNamed(line.product);
    if (!journal)
        return 1;
    const journal::Line* run = journal::lastRun(*journal);
    const std::optional<std::string> medium = mediumOf(line, programName, *journal);
    if (!medium || !run)
        return 1;
    const std::vector<FileFinding> before = checkInstalledFiles(*journal, *medium);
    if (before.empty()) {
        say(words::translateWith("Every file of %1 is as it was installed.",
                                 {journal->product.displayName}));
        return 0;
    }
    // The script's relative names are the medium's, as in an installation. Where this program
    // starts on no medium of its own (Windows), the medium named is a folder of the system's.
    const std::string mediumFolder = platform::canStartOnMedium() ? ownProgramFolder() : *medium;
    (void)platform::changeFolder(mediumFolder);
    const std::string scriptPath = mediumFolder + "\\install.ini";
    const SetupScript script(scriptPath, languageOf(*journal, scriptPath));
    std::string target = run->field(journal::runfield::kTarget);
    const std::string targetNative = run->field(journal::runfield::kTargetNative);
    // What is in place is left alone: the copy redoes only the units whose result is not.
    const ResumeIndex inPlace = ResumeIndex::of(*journal, targetNative);
    CopyEngine engine(&target, script);
    engine.setInstallMode(run->field(journal::runfield::kInstallType));
    engine.resumeFrom(&inPlace);
    if (journal::open(journal->product)) {
        journal::runBegun({target, targetNative, run->field(journal::runfield::kInstallType),
                           *medium, run->field(journal::runfield::kWinePrefix),
                           run->field(journal::runfield::kRecordKey),
                           run->field(journal::runfield::kUninstallKey)});
    }
    const CopyEngine::Result result = engine.copyToTheEnd();
    journal::runEnded(result == CopyEngine::Result::Finished ? "repaired" : "failed");
    journal::close();
    if (result != CopyEngine::Result::Finished)
        std::fprintf(stderr, "setup: %s\n", engine.getErrorText().c_str());

    std::string problem;
    const auto repaired = journal::readJournal(journal->path, problem);
    const std::vector<FileFinding> after =
        repaired ? checkInstalledFiles(*repaired, *medium) : before;
    for (const FileFinding& finding : before) {
        const bool left = std::any_of(after.begin(), after.end(), [&](const FileFinding& still) {
            return still.path == finding.path;
        });
        if (!left)
            say(words::translate("put back") + ": " + finding.path);
    }
    tellFindings(after);
    return after.empty() && result == CopyEngine::Result::Finished ? 0 : 1;
}
