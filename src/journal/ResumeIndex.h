#pragma once
// What an earlier run into the same target already put in place, from the product's journal: a
// run stopped by an abort, a failure or a kill then does again only the units whose result is
// missing or differs, and the rest of the copy takes about the time of what is left.
#include "journal/JournalReading.h"
#include "journal/Sha256.h"
#include "platform/NativeFiles.h"

#include <map>
#include <optional>
#include <string>

class ResumeIndex {
public:
    // The files the journal's runs into this target (its native path) placed from the medium.
    static ResumeIndex of(const journal::Journal& journal, const std::string& targetNative);

    // The file's size and checksum when it is in place as the journal lists it, made from the
    // same source, unchanged (same size and time of change; for a sound archive's record also the
    // same record), and still holds what was written; nothing otherwise, and the unit is redone.
    std::optional<FileDigest> inPlace(const std::string& nativePath, const std::string& sourceNative,
                                      int record = -1) const;
    // The cheap half of the same question, without reading the file: for work ahead of its turn.
    bool likelyInPlace(const std::string& nativePath, const std::string& sourceNative) const;
    bool empty() const { return files.empty(); }

private:
    struct Placed {
        FileDigest digest;
        std::string source;
        platform::FileStamp stamp;
        int record = -1;
        std::int64_t changed = 0; // the file's own time of change when it was placed; 0: unknown
    };
    const Placed* sameSource(const std::string& nativePath, const std::string& sourceNative,
                             int record) const;

    std::map<std::string, Placed> files;
};
