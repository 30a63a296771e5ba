#pragma once
// The check of a .snd archive that sndpack verify prints and setupcheck reports: the archive is
// read as the installer reads it and every record is decoded with the installer's transcoder.
#include <string>
#include <vector>

struct RecordCheck {
    std::string name;
    bool knownCodec = true; // false: a codec the installer does not convert
    bool decodes = false;
    std::string reason; // the decoder's last word on a record that does not decode
};

struct ArchiveCheck {
    bool opened = false;
    std::string brokenAt; // empty, or where and why reading stopped ("record 2 at byte 812: ...")
    std::vector<RecordCheck> records;

    int failures() const;
    bool good() const { return opened && brokenAt.empty() && failures() == 0; }
};

// path: a native path, a drive path or one relative to the current folder. The decoders describe
// each stream on standard error; quiet silences them. Records are read in pieces into scratch
// files, never whole. A request to end the program (SIGTERM, SIGINT, SIGHUP) during the check
// removes the scratch files, says so on standard error after program's name, and then ends it.
ArchiveCheck checkArchive(const std::string& path, bool quiet = false,
                          const char* program = "sndpack");
