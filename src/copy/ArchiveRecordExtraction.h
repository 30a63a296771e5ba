#pragma once
// Unpacks one record of an open .snd archive into the target folder and converts it to a WAVE
// file: the compressed file is written beside where the WAVE file goes, converted into a WAVE file
// under a name of this run's own, and deleted; the WAVE file takes its name once it is complete.
//
// The three steps may run apart: unpacking and landing on the copy's thread, in the list's
// order, and the conversion between them on any thread, beside other records' conversions.
// No step holds more of a record in memory than one piece of its data.
#include "copy/SoundArchive.h"
#include "journal/Sha256.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

struct RecordExtraction {
    enum class Result {
        Unpacked,         // the compressed file is written; the conversion comes next
        Converted,        // the WAVE file is in place
        Skipped,          // a codec the installer does not convert: nothing was written
        InPlace,          // an earlier run's WAVE file is in place and whole: nothing was written
        ArchiveBroken,    // the record could not be read; see status
        WriteFailed,      // the compressed file could not be written; failedPath names it
        ConversionFailed, // the transcoder gave up; failedPath names the WAVE file
        Stopped,          // the copy was stopped: nothing of the record is left
    };
    Result result = Result::ArchiveBroken;
    ArchiveStatus status = ArchiveStatus::Ok;
    std::string displayName; // the record's name as the WAVE file is called
    std::string failedPath;  // the record's path in the target, when writing or converting failed
    std::string outputPath;  // the WAVE file's path, when converted
    bool diskFull = false;   // writing failed because the disk had no room left
    // The WAVE file's size and checksum, taken beside its conversion while a journal is kept.
    std::optional<FileDigest> digest;

    // What an unpacked record's conversion needs: native paths, which any thread may open.
    std::uint32_t codec = 0;
    std::string compressedFile;
    std::string partialFile;

    bool succeeded() const { return result == Result::Converted || result == Result::Skipped; }
};

// Reads the record at the archive's position and writes its compressed file into the target's
// folder that matches the archive's folder ("sounds\" for "sounds\speech.snd"): Unpacked, or why
// not. stop, when given, ends the unpacking of a long record (Stopped).
// inPlace, when given, is asked with the WAVE file's path before anything is written: a digest
// means the file is in place already (InPlace, with that digest).
using RecordInPlace = std::function<std::optional<FileDigest>(const std::string& outputPath)>;
RecordExtraction unpackArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                                     const std::string& archivePath,
                                     const std::atomic<bool>* stop = nullptr,
                                     const RecordInPlace& inPlace = {});

// Converts an unpacked record into its partial WAVE file and deletes the compressed one.
// Touches only the record's own two files.
enum class ConversionEnd { Converted, Failed, DiskFull };
ConversionEnd convertUnpackedRecord(const RecordExtraction& unpacked,
                                    const std::atomic<bool>* stop = nullptr);

// Puts a converted record's WAVE file in its place (Converted, or ConversionFailed), or, for one
// whose conversion failed or was stopped, removes what is left of it.
void landConvertedRecord(RecordExtraction& record, ConversionEnd end);
// Removes what an unpacked record left, when the copy ends before it lands.
void dropUnpackedRecord(const RecordExtraction& record);

// The three steps one after the other. beforeConversion, when set, is told the display name
// once the compressed file is written.
RecordExtraction
extractArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                     const std::string& archivePath,
                     const std::function<void(const std::string&)>& beforeConversion = {});
