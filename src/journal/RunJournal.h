#pragma once
// The journal of one install run: begun once the target folder is known, before anything is made,
// and ended however the run ends.
#include "journal/InstallJournal.h"
#include "journal/ResumeIndex.h"

#include <string>

struct SetupSession;
struct RemovalReport;

class RunJournal {
public:
    RunJournal() = default;
    ~RunJournal();
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;

    // Opens the product's journal and adds the run's line. A journal that cannot be written
    // leaves the installation without one; it goes on all the same.
    void begin(const SetupSession& session, const std::string& installMode);
    // "installed", "failed", "stopped"; a run given back otherwise ends "given back".
    void end(const char* how);

    // After end: takes back what the run made and puts back what it replaced (RunUndo.h), each
    // step told to the report; the journal then says the run was undone.
    void undo(RemovalReport& report);
    // Before end, after a run that succeeded: the files it kept aside go.
    void dropKeptFiles();

    // What the product's earlier runs into this target left in place.
    const ResumeIndex& resumeIndex() const { return resume; }

private:
    bool begun = false;
    ResumeIndex resume;
    std::string path;         // of the journal, once begun
    journal::Product product; // whose it is
};

// The product's key as its journal and its uninstall entry name it: "MoonriseHarbour_English".
std::string productKeyOf(const SetupSession& session);
