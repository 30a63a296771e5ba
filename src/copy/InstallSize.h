#pragma once
// What an installation writes into the target folder, measured on the medium before copying:
// the plain files' sizes, and the WAVE files the sound archives' records become (told from the
// records' Ogg streams without decoding them).
#include "copy/SoundArchiveRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SetupScript;

struct InstallSize {
    int files = 0;                 // plain files copied and WAVE files written
    std::uint64_t copiedBytes = 0; // of the plain files
    std::uint64_t waveBytes = 0;   // of the WAVE files
    int unmeasured = 0;            // entries or records whose size could not be told
};

// The size of one file (a drive path or one relative to the current folder); false when it
// cannot be opened.
bool plainFileBytes(const std::string& path, std::uint64_t& bytes);

// The copy list's entries resolve as the copy resolves them: against the current folder.
InstallSize measureCopyList(const std::vector<std::string>& fileList);

// The size of one install type ("min", "std", "max") of the script's copy lists.
InstallSize measureInstallType(const SetupScript& script, const std::string& installMode);

// The WAVE bytes one archive record held in memory becomes; 0 for a codec the installer does not
// convert, and nothing when its stream cannot be measured.
bool recordWaveBytes(const SoundArchiveRecord& record, std::uint64_t& bytes);

// The same for the record whose header was just read from archive: its data is read in pieces
// (skipped for a codec the installer does not convert), so that no record is held whole. On
// anything but Ok in status the archive cannot be read further and bytes is nothing.
class SoundArchive;
struct StreamedWaveBytes {
    ArchiveStatus status = ArchiveStatus::Ok;
    std::optional<std::uint64_t> bytes;
};
StreamedWaveBytes recordWaveBytes(SoundArchive& archive, std::uint32_t codec);
