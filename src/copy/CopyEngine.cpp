#include "copy/CopyEngine.h"

#include <new>

#include "copy/CopyAhead.h"
#include "copy/CopyList.h"
#include "copy/CopyPaths.h"
#include "copy/InstallSize.h"
#include "copy/RecordConversions.h"
#include "journal/InstallJournal.h"
#include "journal/JournalRecords.h"
#include "journal/ResumeIndex.h"
#include "paths/FolderPath.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "platform/NativeFiles.h"
#include "platform/Paths.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"
#include "words/ProgramWords.h"

#include <cstdlib>
#include <deque>

namespace {

bool stopAsked(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

CopyEngine::CopyEngine(const std::string* targetFolder, SetupScript script)
    : targetFolder(targetFolder), script(std::move(script)) {}

CopyEngine::~CopyEngine() = default;

std::string CopyEngine::text(const char* key) const {
    return script.languageText(key);
}

void CopyEngine::buildList() {
    fileList.clear();
    buildFileList(script, installMode, fileList, entryCount);
    entryCount = static_cast<int>(fileList.size());
    copyingText = text(textkeys::kCopying);
    mediumFolder = platform::toNativePath(platform::currentFolder());
    writeFailedText = text(textkeys::kWriteFailed);
}

CopyEngine::Result CopyEngine::copyToTheEnd(const std::atomic<bool>* stop) {
    buildList();
    return copyAll(stop);
}

CopyEngine::Result CopyEngine::copyAll(const std::atomic<bool>* stop) {
    madeFolders.clear();
    placesFolder.clear();
    // Whatever ends the copy, the copy ahead ends with it and leaves nothing behind.
    struct EndAhead {
        std::unique_ptr<CopyAhead>& ahead;
        ~EndAhead() { ahead.reset(); }
    } endAhead{ahead};
    for (int index = 0; index < entryCount; ++index) {
        const std::string& atEntry = fileList[static_cast<std::size_t>(index)];
        setStatus(atEntry);
        currentEntry = atEntry;
        failureCause = Failure::None;
        failureWords.clear();
        errorText = writeFailedText + " " + atEntry;
        if (stopAsked(stop))
            return Result::Stopped;
        Result result = Result::Failed;
        try {
            const bool archive = isArchiveEntry(atEntry) && isEntryInsideTarget(atEntry);
            if (archive)
                startCopyAhead(index + 1);
            result = archive ? copyArchive(atEntry, stop) : copyPlainEntry(atEntry, stop);
        } catch (const std::bad_alloc&) {
            // A unit that needs more memory than there is fails its entry, as any unit that
            // cannot be done does, rather than ending the program without a word.
            errorText = writeFailedText + " " + atEntry;
            addReason(platform::asciiLower(atEntry),
                      words::marked("there is not enough memory to unpack it"));
        }
        if (result != Result::Finished)
            return result;
        setPosition(index + 1);
    }
    return Result::Finished;
}

void CopyEngine::setStatus(const std::string& name) {
    if (showStatus)
        showStatus(copyingText + " " + name);
}

void CopyEngine::setPosition(int position) {
    if (showPosition)
        showPosition(position);
}

void CopyEngine::logWrittenFile(const char* kind, const std::string& name,
                                const std::string& path) {
    if (!runlog::isOpen())
        return;
    std::uint64_t bytes = 0;
    (void)plainFileBytes(path, bytes);
    runlog::write(kind, runlog::withBytes(name, bytes));
}

// A folder that could not be made shows up as a failed copy of the entry. Entries of one folder
// follow one another in the list, and each level of the path costs the system a lookup, so a
// folder is made once per copy.
void CopyEngine::makeEntryFolder(const std::string& entry) {
    const auto lastBackslash = entry.rfind('\\');
    if (lastBackslash == std::string::npos)
        return;
    const std::string folder = entry.substr(0, lastBackslash);
    if (madeFolders.count(folder) != 0)
        return;
    if (createFolderPath(*targetFolder + "\\" + folder))
        madeFolders.insert(folder);
}

// The plain entries after an archive, up to the next archive, are copied while the archive's
// records convert. The files are the ones the copy writes anyway, into the same folder's disk.
void CopyEngine::startCopyAhead(int firstIndex) {
    constexpr std::size_t kMostFiles = 4096;
    ahead.reset();
    std::vector<CopyAhead::Job> jobs;
    for (int index = firstIndex; index < entryCount && jobs.size() < kMostFiles; ++index) {
        const std::string& entry = fileList[static_cast<std::size_t>(index)];
        if (isArchiveEntry(entry) || !isEntryInsideTarget(entry))
            break;
        const EntryPlaces places = placesOf(entry);
        // What an earlier run left in place is looked at in its turn, not copied ahead.
        if (resume &&
            resume->likelyInPlace(places.nativeDestination, sourceOf(places.source).native))
            continue;
        jobs.push_back({entry, places.source});
    }
    const std::string target = platform::toNativePath(*targetFolder);
    if (!jobs.empty() && !target.empty())
        ahead = std::make_unique<CopyAhead>(std::move(jobs), target);
}

CopyEngine::Result CopyEngine::copyPlainEntry(const std::string& entry,
                                              const std::atomic<bool>* stop) {
    // An entry that would land outside the target folder is refused before anything is made.
    if (!isEntryInsideTarget(entry))
        return Result::Failed;
    makeEntryFolder(entry);
    const EntryPlaces places = placesOf(entry);
    const std::string& destination = places.destination;
    // An earlier run into this target left the file in place, whole: it is not copied again.
    if (resume)
        if (const std::optional<FileDigest> digest =
                resume->inPlace(places.nativeDestination, sourceOf(places.source).native)) {
            runlog::write("in place", entry);
            if (journal::isOpen())
                journal::filePlaced(journal::role::kCopied, places.nativeDestination, *digest,
                                    sourceOf(places.source));
            return Result::Finished;
        }
    // A copy made ahead takes the entry's place; one that cannot is copied again here.
    if (ahead) {
        const CopyAhead::Copied early = ahead->take(entry, stop);
        if (!early.path.empty())
            noteReplacedFile(places.nativeDestination);
        if (!early.path.empty() && platform::replaceFile(early.path, destination)) {
            if (runlog::isOpen())
                runlog::write("copied", runlog::withBytes(entry, early.bytes));
            journalPlainFile(places);
            return Result::Finished;
        }
        if (!early.path.empty())
            (void)platform::deleteFile(early.path);
    }
    noteReplacedFile(places.nativeDestination);
    const bool copied = platform::copyFile(places.source, destination, false, stop);
    if (!copied && stopAsked(stop))
        return Result::Stopped;
    if (copied) {
        logWrittenFile("copied", entry, destination);
        journalPlainFile(places);
    } else
        notePlainFailure(entry, places.source, platform::lastFileFailure());
    // Archive alone clears a read-only flag carried over from the medium, so that a later
    // installation can overwrite the file; the installation works without it all the same.
    (void)platform::setFileAttributes(destination, platform::kAttributeArchive);
    return copied ? Result::Finished : Result::Failed;
}

CopyEngine::EntryPlaces CopyEngine::placesOf(const std::string& entry) {
    const std::string drivePathDestination = *targetFolder + "\\" + entry;
    const auto lastBackslash = entry.rfind('\\');
    if (lastBackslash == std::string::npos)
        return {platform::toNativePath(entry), drivePathDestination,
                platform::toNativePath(drivePathDestination)};
    const std::string folder = entry.substr(0, lastBackslash);
    if (folder != placesFolder) {
        placesFolder = folder;
        sourceFolder = platform::toNativePath(folder);
        destinationFolder = platform::toNativePath(*targetFolder + "\\" + folder);
    }
    const std::string name = entry.substr(lastBackslash + 1);
    std::string source = platform::toNativeChild(sourceFolder, name);
    std::string destination = platform::toNativeChild(destinationFolder, name);
    // A name the shortcut cannot take goes the whole way, whatever comes of it there.
    if (source.empty() || destination.empty())
        return {entry, drivePathDestination, platform::toNativePath(drivePathDestination)};
    std::string nativeDestination = destination;
    return {std::move(source), std::move(destination), std::move(nativeDestination)};
}

// Records are unpacked in the archive's order, converted beside one another, and landed in the
// same order; the first record that fails ends the archive, and no record after it lands.
CopyEngine::Result CopyEngine::copyArchive(const std::string& entry,
                                           const std::atomic<bool>* stop) {
    makeEntryFolder(entry);
    const std::string archivePath = platform::asciiLower(entry);
    SoundArchive archive;
    if (!archive.open(entry)) {
        addReason(archivePath, words::marked("the archive cannot be opened"));
        return Result::Failed;
    }
    runlog::write("unpacking", entry);
    const journal::Source archiveSource = sourceOf(platform::toNativePath(entry));
    RecordConversions conversions(stop);
    std::deque<RecordPlace> places; // of each record under way
    int recordIndex = 0;

    // Lands the oldest record under way; false when it failed or the copy was stopped.
    const auto landOldest = [&](Result& result) {
        RecordExtraction record = conversions.takeOldest();
        const RecordPlace where = places.front();
        places.pop_front();
        switch (record.result) {
        case RecordExtraction::Result::Converted:
            logWrittenFile("converted", folderPrefix(archivePath) + record.displayName,
                           record.outputPath);
            journalSoundFile(record, archiveSource, where.index);
            return true;
        case RecordExtraction::Result::Skipped:
            runlog::write("skipped", record.displayName + " (a record that is not converted)");
            return true;
        case RecordExtraction::Result::InPlace:
            runlog::write("in place", folderPrefix(archivePath) + record.displayName);
            journalSoundFile(record, archiveSource, where.index);
            return true;
        case RecordExtraction::Result::Stopped:
            result = Result::Stopped;
            return false;
        default:
            errorText = writeFailedText + " " + record.failedPath;
            if (record.diskFull)
                failureCause = Failure::DiskFull;
            addReason(archivePath,
                      record.diskFull ? words::marked("the disk is full")
                                      : words::marked("its sound stream could not be decoded"),
                      &where);
            result = Result::Failed;
            return false;
        }
    };

    Result result = Result::Finished;
    while (!archive.atEnd()) {
        if (conversions.full() && !landOldest(result))
            return result;
        if (stopAsked(stop))
            return Result::Stopped;
        places.push_back({recordIndex++, archive.position()});
        const int index = places.back().index;
        const RecordInPlace inPlace = [&](const std::string& outputPath) {
            return resume->inPlace(platform::toNativePath(outputPath), archiveSource.native, index);
        };
        RecordExtraction record = unpackArchiveRecord(archive, *targetFolder, archivePath, stop,
                                                      resume ? inPlace : RecordInPlace());
        if (record.result == RecordExtraction::Result::Unpacked ||
            record.result == RecordExtraction::Result::Skipped ||
            record.result == RecordExtraction::Result::InPlace) {
            if (record.result == RecordExtraction::Result::Unpacked) {
                noteReplacedFile(platform::toNativePath(record.outputPath));
                setStatus(record.displayName);
                // The bar has no measure inside an archive, so it only shows that work goes on.
                setPosition(entryCount > 0 ? std::rand() % entryCount : 0);
            }
            conversions.add(std::move(record));
            continue;
        }
        // The records before the one that cannot be unpacked land first, unless one of them
        // fails: the first failure in the archive's order is the one reported.
        while (!conversions.empty())
            if (!landOldest(result))
                return result;
        if (record.result == RecordExtraction::Result::Stopped)
            return Result::Stopped;
        const RecordPlace& where = places.back();
        if (!record.failedPath.empty())
            errorText = writeFailedText + " " + record.failedPath;
        if (record.diskFull)
            failureCause = Failure::DiskFull;
        if (record.result == RecordExtraction::Result::ArchiveBroken)
            addReason(archivePath, describeArchiveStatus(record.status), &where);
        else
            addReason(archivePath,
                      record.diskFull ? words::marked("the disk is full")
                                      : words::marked("the file could not be written"),
                      &where);
        return Result::Failed;
    }
    while (!conversions.empty())
        if (!landOldest(result))
            return result;
    return Result::Finished;
}

// The journal names the source whole, wherever the copy was started: a later run compares it.
journal::Source CopyEngine::sourceOf(const std::string& nativeSource) const {
    journal::Source source{platform::isPlainNativePath(nativeSource)
                               ? nativeSource
                               : platform::nativeJoin(mediumFolder, nativeSource),
                           {},
                           -1};
    (void)platform::nativeFileStamp(nativeSource, source.stamp);
    return source;
}

void CopyEngine::journalPlainFile(const EntryPlaces& places) {
    if (journal::isOpen())
        journal::filePlaced(journal::role::kCopied, places.nativeDestination,
                            sourceOf(places.source));
}

// The WAVE file's checksum was taken beside its conversion.
void CopyEngine::journalSoundFile(const RecordExtraction& record, journal::Source source,
                                  int recordIndex) {
    if (!journal::isOpen())
        return;
    source.record = recordIndex;
    const std::string native = platform::toNativePath(record.outputPath);
    if (record.digest)
        journal::filePlaced(journal::role::kSound, native, *record.digest, source);
    else
        journal::filePlaced(journal::role::kSound, native, source);
}

// A file that stood where the copy writes was there before: the journal says so, so that
// nothing of the person's is taken for the product's unawares.
void CopyEngine::noteReplacedFile(const std::string& nativeDestination) {
    if (!journal::isOpen() || platform::nativeKind(nativeDestination) != platform::NativeKind::File)
        return;
    // A read-only file fails the copy as it always does; it is not moved out of its way.
    const bool readOnly =
        (platform::fileAttributes(nativeDestination) & platform::kAttributeReadOnly) != 0;
    if (keepAside && !readOnly) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string aside = nativeDestination + ".kept-by-setup" +
                                      (attempt ? "-" + std::to_string(attempt) : std::string());
            if (platform::nativeKind(aside) != platform::NativeKind::Missing)
                continue;
            if (platform::renameNative(nativeDestination, aside))
                journal::fileReplaced(nativeDestination, aside);
            return;
        }
    }
    journal::fileReplaced(nativeDestination, "");
}

// What the medium holds at the entry tells a file that could not be read from one that could not
// be written.
void CopyEngine::notePlainFailure(const std::string& entry, const std::string& source,
                                  const platform::FileFailure& written) {
    switch (platform::examineCopySource(source)) {
    case platform::CopySource::Missing:
        failureCause = Failure::Missing;
        break;
    case platform::CopySource::NotAFile:
        failureCause = Failure::NotAFile;
        break;
    case platform::CopySource::Unreadable:
        failureCause = Failure::Unreadable;
        break;
    case platform::CopySource::Copyable:
        failureCause = written.diskFull ? Failure::DiskFull : Failure::NotWritten;
        failureWords = written.reason;
        break;
    }
    static const char* const kLogged[] = {"",
                                          "missing from the medium",
                                          "no file on the medium",
                                          "unreadable on the medium",
                                          "not written",
                                          "the disk is full"};
    std::string line = entry + ": " + kLogged[static_cast<int>(failureCause)];
    if (!failureWords.empty())
        line += " (" + failureWords + ")";
    runlog::write("copy failed", line);
}

// The box keeps its text and names the reason on a line of its own; the log says it too.
void CopyEngine::addReason(const std::string& archivePath, const char* reason,
                           const RecordPlace* place) {
    std::string logged = reason;
    std::string shown = words::translate(reason);
    if (place) {
        const std::string index = std::to_string(place->index);
        const std::string byte = std::to_string(place->byte);
        logged = "record " + index + " at byte " + byte + ": " + logged;
        shown = words::translateWith("record %1 at byte %2: %3", {index, byte, shown});
    }
    errorText += "\n" + shown;
    runlog::write("archive failed", archivePath + ": " + logged);
}
