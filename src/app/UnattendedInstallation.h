#pragma once
// The installation without pages or questions, and without any window of its own: what an
// unattended run does once its medium is found, for the command line and for tests.
#include <string>

class CopyProgress;
class InstallAnswers;
class SetupScript;
struct CommandLine;
struct SetupSession;

// Fills the session from the script's language section for a run: names, keys, shortcuts, the
// default folder, the medium's drive, and the program's own words in that language.
void fillSessionForRun(SetupSession& session, const SetupScript& script);

// The language from the command line (or the system's mapping), the session filled, then the
// install sequence with the answers and the copy's progress. The script is the one beside the
// program, read once, in any language. 0 when the product was installed, 1 otherwise (the reason
// in the log and on the error stream).
int installUnattended(SetupSession& session, const SetupScript& script, const CommandLine& options,
                      InstallAnswers& answers, CopyProgress& progress);
