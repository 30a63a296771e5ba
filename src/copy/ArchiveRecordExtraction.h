#pragma once
// Unpacks one record of an open .snd archive into the target folder and converts it to a WAVE
// file: the compressed file is written beside where the WAVE file goes, converted into a WAVE file
// under a name of this run's own, and deleted; the WAVE file takes its name once it is complete.
#include "copy/SoundArchive.h"

#include <functional>
#include <string>

struct RecordExtraction {
    enum class Result {
        Converted,        // the WAVE file is in place
        Skipped,          // a codec the installer does not convert: nothing was written
        ArchiveBroken,    // the record could not be read; see status
        WriteFailed,      // the compressed file could not be written; failedPath names it
        ConversionFailed, // the transcoder gave up; failedPath names the WAVE file
    };
    Result result = Result::ArchiveBroken;
    ArchiveStatus status = ArchiveStatus::Ok;
    std::string displayName; // the record's name as the WAVE file is called
    std::string failedPath;  // the record's path in the target, when writing or converting failed
    std::string outputPath;  // the WAVE file's path, when converted

    bool succeeded() const { return result == Result::Converted || result == Result::Skipped; }
};

// Reads the record at the archive's position and unpacks it into the target's folder that
// matches the archive's folder ("sounds\" for "sounds\speech.snd"). beforeConversion, when set,
// is told the display name once the compressed file is written.
RecordExtraction
extractArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                     const std::string& archivePath,
                     const std::function<void(const std::string&)>& beforeConversion = {});
