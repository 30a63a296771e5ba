#pragma once
// Helpers shared by the packer's commands.
#include "copy/SoundArchive.h"
#include "words/ProgramWords.h"

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

// Where a record begins, for complaints: "record 2 at byte 812".
inline std::string recordPlace(int index, unsigned long long offset) {
    return "record " + std::to_string(index) + " at byte " + std::to_string(offset);
}

// Reads the archive as the installer does and calls visit(record, archive, place) with each
// record's header, stopping when visit returns false. visit may read the record's data with
// archive.readRecordData, in pieces; when it does not, the data is skipped. False, with a
// complaint, when the archive is broken.
template <typename Visit> bool forEachRecord(const std::string& archivePath, Visit visit) {
    SoundArchive archive;
    if (!archive.open(nativeAbsolute(archivePath)))
        return complain(archivePath, words::translate("cannot be opened"));
    for (int index = 0; !archive.atEnd(); ++index) {
        const unsigned long long offset = archive.position();
        const std::string place = recordPlace(index, offset);
        SoundArchiveRecord record;
        ArchiveStatus status = archive.readRecordHeader(record);
        if (status == ArchiveStatus::Ok) {
            if (!visit(static_cast<const SoundArchiveRecord&>(record), archive, place))
                return false;
            if (archive.position() == offset) // the data is still unread
                status = archive.skipRecordData();
        }
        if (status != ArchiveStatus::Ok)
            return complain(archivePath,
                            place + ": " + words::translate(describeArchiveStatus(status)));
    }
    return true;
}
