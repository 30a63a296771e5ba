#pragma once
// Taking back the last run of a journal, for a run that failed or was stopped and was asked to
// leave nothing: what it made goes, newest first, as an uninstall removes it; the files it
// replaced come back from where they were kept aside; the registry values it replaced get their
// earlier text again. What an earlier run made stays, and a step that cannot be undone is told
// and passed over.
#include "journal/Uninstall.h"

void undoLastRun(const journal::Journal& journal, RemovalReport& report);

// After a run that succeeded: the files kept aside are no longer wanted.
void dropKeptFiles(const journal::Journal& journal);
