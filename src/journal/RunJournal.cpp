#include "journal/RunJournal.h"

#include "journal/InstallJournal.h"
#include "journal/JournalReading.h"
#include "journal/RunUndo.h"
#include "paths/DrivePath.h"
#include "platform/Machine.h"
#include "platform/Paths.h"
#include "session/RunLog.h"
#include "session/SetupSession.h"

std::string productKeyOf(const SetupSession& session) {
    return session.uninstallKey.substr(session.uninstallKey.find_last_of('\\') + 1);
}

RunJournal::~RunJournal() {
    end("given back");
}

void RunJournal::begin(const SetupSession& session, const std::string& installMode) {
    end("given back");
    const std::string targetNative = platform::toNativePath(session.targetFolder);
    std::string problem;
    if (const auto earlier = journal::readJournal(journal::journalPathOf(productKeyOf(session)),
                                                  problem))
        resume = ResumeIndex::of(*earlier, targetNative);
    else
        resume = {};
    if (!journal::open({productKeyOf(session), session.programName})) {
        runlog::write("journal", "not kept: " + journal::journalPathOf(productKeyOf(session)) +
                                     " cannot be written");
        return;
    }
    begun = true;
    path = journal::openPath();
    product = {productKeyOf(session), session.programName};
    runlog::write("journal", path);
    journal::runBegun({session.targetFolder, targetNative,
                       installMode, platform::toNativePath(ownProgramFolder()),
                       platform::winePrefixInUse(), session.registryKey, session.uninstallKey});
}

void RunJournal::end(const char* how) {
    if (!begun)
        return;
    journal::runEnded(how);
    journal::close();
    begun = false;
}

void RunJournal::dropKeptFiles() {
    std::string problem;
    if (const auto written = journal::readJournal(path, problem))
        ::dropKeptFiles(*written);
}

void RunJournal::undo(RemovalReport& report) {
    std::string problem;
    const auto written = path.empty() ? std::nullopt : journal::readJournal(path, problem);
    if (!written)
        return;
    undoLastRun(*written, report);
    if (journal::openAt(path, product)) {
        journal::runEnded("undone");
        journal::close();
    }
}
