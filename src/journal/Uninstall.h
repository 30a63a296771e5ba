#pragma once
// Removing an installation by its journal: what the journal lists and nothing else, newest
// first, each thing only while it is still what the installation made: a file with the checksum
// it had, a folder it made once nothing else is in it, a registry value with the text it wrote,
// a key it made once it is empty.
#include "journal/JournalReading.h"

#include <cstddef>
#include <functional>
#include <string>

struct RemovalReport {
    enum class Outcome {
        Removed,
        Gone,    // no longer there
        Kept,    // kept on purpose: changed since, shared, holding what others made
        Refused, // the journal names a place outside the installation
        Failed,  // could not be removed
    };
    // Told of every thing the journal lists, once, with why it was kept or not removed.
    std::function<void(Outcome, const std::string& thing, const std::string& why)> tell;
    int removed = 0;
    int kept = 0;
    int problems = 0; // refused or failed
};

// The things of the journal's lines from firstLine on, newest first.
void removeListed(const journal::Journal& journal, std::size_t firstLine, RemovalReport& report);

// The command line's uninstall: finds the product's journal by the name the list of installed
// programs shows (or its key), lets the product's own uninstaller run first where it can (in a
// Wine prefix), removes what is left of what the journal lists and prints each thing. 0 when
// everything listed is gone or kept on purpose (the journal is then removed too), 1 otherwise.
int uninstallCommand(const std::string& name);

// The journal the name stands for, or nothing after saying why on the error stream.
std::optional<journal::Journal> journalNamed(const std::string& name);
