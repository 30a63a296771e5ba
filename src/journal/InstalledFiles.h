#pragma once
// Checking an installation's files against its journal: each file as its newest line lists it,
// against its checksum and, given the medium it came from, against the medium.
#include "journal/JournalReading.h"

#include <string>
#include <vector>

struct FileFinding {
    enum class Kind {
        Missing,
        Changed,       // its size or checksum is not the journal's
        MediumDiffers, // the medium's file (or sound archive) is not the one installed from
    };
    Kind kind;
    std::string path;
    std::string role;
};

// Every file the journal lists but the maker's shared uninstaller, which other products replace.
// mediumNative, when not empty, is where the medium is now (it may be mounted elsewhere than when
// it was installed from).
std::vector<FileFinding> checkInstalledFiles(const journal::Journal& journal,
                                             const std::string& mediumNative);

// Whether a file of the role comes from the medium, so that a repair can put it back.
bool comesFromMedium(const std::string& role);
