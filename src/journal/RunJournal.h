#pragma once
// The journal of one install run: begun once the target folder is known, before anything is made,
// and ended however the run ends.
#include "journal/ResumeIndex.h"

#include <string>

struct SetupSession;

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

    // What the product's earlier runs into this target left in place.
    const ResumeIndex& resumeIndex() const { return resume; }

private:
    bool begun = false;
    ResumeIndex resume;
};

// The product's key as its journal and its uninstall entry name it: "MoonriseHarbour_English".
std::string productKeyOf(const SetupSession& session);
