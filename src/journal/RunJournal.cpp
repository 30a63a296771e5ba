#include "journal/RunJournal.h"

#include "journal/InstallJournal.h"
#include "journal/JournalReading.h"
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
    runlog::write("journal", journal::openPath());
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
