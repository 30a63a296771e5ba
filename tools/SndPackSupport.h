#pragma once
// Helpers shared by the packer's commands.
#include "copy/SoundArchive.h"

#include <cstdio>
#include <filesystem>
#include <string>

// The archive reader and the transcoder take native paths when they start with '/'.
inline std::string nativeAbsolute(const std::string& path) {
    return std::filesystem::absolute(path).lexically_normal().string();
}

// Prints "sndpack: subject: message" to standard error; always false.
inline bool complain(const std::string& subject, const std::string& message) {
    std::fprintf(stderr, "sndpack: %s: %s\n", subject.c_str(), message.c_str());
    return false;
}

// Reads the archive as the installer does and calls visit for each record, stopping when visit
// returns false; false, with a complaint, when the archive is broken.
template <typename Visit> bool forEachRecord(const std::string& archivePath, Visit visit) {
    SoundArchive archive;
    if (!archive.open(nativeAbsolute(archivePath)))
        return complain(archivePath, "cannot be opened");
    for (int index = 0; !archive.atEnd(); ++index) {
        const unsigned long long offset = archive.position();
        SoundArchiveRecord record;
        const ArchiveStatus status = archive.readRecord(record);
        if (status != ArchiveStatus::Ok)
            return complain(archivePath, "record " + std::to_string(index) + " at byte " +
                                             std::to_string(offset) + ": " +
                                             describeArchiveStatus(status));
        if (!visit(record))
            return false;
    }
    return true;
}
