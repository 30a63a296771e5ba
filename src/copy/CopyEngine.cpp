#include "copy/CopyEngine.h"

#include <new>

#include "copy/ArchiveRecordExtraction.h"
#include "copy/CopyList.h"
#include "copy/CopyPaths.h"
#include "copy/FolderPath.h"
#include "copy/InstallSize.h"
#include "platform/AsciiCase.h"
#include "platform/Files.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"

#include <cstdlib>

CopyEngine::CopyEngine(const std::string* targetFolder, std::string languageSection,
                       std::string scriptPath)
    : targetFolder(targetFolder), languageSection(std::move(languageSection)),
      scriptPath(std::move(scriptPath)) {}

std::string CopyEngine::text(const char* key) const {
    return SetupScript(scriptPath, languageSection).languageText(key);
}

void CopyEngine::buildList() {
    fileList.clear();
    buildFileList(scriptPath, installMode, fileList, entryCount);
    entryCount = static_cast<int>(fileList.size());
}

CopyEngine::Step CopyEngine::copyToTheEnd() {
    buildList();
    Step step = Step::Continue;
    while (step == Step::Continue)
        step = copyStep();
    return step;
}

CopyEngine::Step CopyEngine::copyStep() {
    try {
        return archiveActive ? copyArchiveRecord() : copyPlainEntry();
    } catch (const std::bad_alloc&) {
        // A record larger than the memory can hold fails its entry, as any unit that cannot be
        // done does, rather than ending the program without a word.
        const std::string entry =
            currentIndex < static_cast<int>(fileList.size()) ? fileList[static_cast<std::size_t>(currentIndex)]
                                                            : archivePath;
        closeArchive();
        errorText = text(textkeys::kWriteFailed) + " " + entry;
        addReason("there is not enough memory to unpack it");
        return Step::Failed;
    }
}

void CopyEngine::closeArchive() {
    archiveFile.close();
    archiveActive = false;
}

void CopyEngine::setStatus(const std::string& name) {
    if (showStatus)
        showStatus(text(textkeys::kCopying) + " " + name);
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

CopyEngine::Step CopyEngine::copyPlainEntry() {
    if (currentIndex >= entryCount)
        return Step::Finished;
    const std::string entry = fileList[currentIndex];
    setStatus(entry);
    errorText = text(textkeys::kWriteFailed) + " " + entry;
    // An entry that would land outside the target folder is refused before anything is made.
    if (!isEntryInsideTarget(entry))
        return Step::Failed;
    const auto lastBackslash = entry.rfind('\\');
    // A folder that could not be made shows up as a failed copy below.
    if (lastBackslash != std::string::npos)
        (void)createFolderPath(*targetFolder + "\\" + entry.substr(0, lastBackslash));
    const std::string destination = *targetFolder + "\\" + entry;
    if (isArchiveEntry(entry))
        return openArchive(entry);

    const bool copied = platform::copyFile(entry, destination, false);
    ++currentIndex;
    if (copied)
        logWrittenFile("copied", entry, destination);
    // Archive alone clears a read-only flag carried over from the medium, so that a later
    // installation can overwrite the file; the installation works without it all the same.
    (void)platform::setFileAttributes(destination, platform::kAttributeArchive);
    setPosition(currentIndex);
    return copied ? Step::Continue : Step::Failed;
}

CopyEngine::Step CopyEngine::openArchive(const std::string& entry) {
    archivePath = platform::asciiLower(entry);
    archiveActive = true;
    recordIndex = 0;
    if (archiveFile.open(entry)) {
        runlog::write("unpacking", entry);
        return Step::Continue;
    }
    archiveActive = false;
    addReason("the archive cannot be opened");
    return Step::Failed;
}

CopyEngine::Step CopyEngine::copyArchiveRecord() {
    if (archiveFile.atEnd()) {
        closeArchive();
        ++currentIndex;
        return Step::Continue;
    }
    const std::string where = "record " + std::to_string(recordIndex++) + " at byte " +
                              std::to_string(archiveFile.position()) + ": ";
    const RecordExtraction outcome = extractArchiveRecord(
        archiveFile, *targetFolder, archivePath, [this](const std::string& name) {
            setStatus(name);
            // The bar has no measure inside an archive, so it only shows that work goes on.
            setPosition(entryCount > 0 ? std::rand() % entryCount : 0);
        });
    if (outcome.result == RecordExtraction::Result::Converted)
        logWrittenFile("converted", folderPrefix(archivePath) + outcome.displayName,
                       outcome.outputPath);
    else if (outcome.result == RecordExtraction::Result::Skipped)
        runlog::write("skipped", outcome.displayName + " (a record that is not converted)");
    if (outcome.succeeded())
        return Step::Continue;
    closeArchive();
    // A broken archive leaves errorText naming the archive entry; a record that could not be
    // written or converted names the record's path in the target.
    if (!outcome.failedPath.empty())
        errorText = text(textkeys::kWriteFailed) + " " + outcome.failedPath;
    switch (outcome.result) {
    case RecordExtraction::Result::ArchiveBroken:
        addReason(where + describeArchiveStatus(outcome.status));
        break;
    case RecordExtraction::Result::ConversionFailed:
        addReason(where + "its sound stream could not be decoded");
        break;
    default:
        addReason(where + "the file could not be written");
        break;
    }
    return Step::Failed;
}

// The box keeps its text and names the reason on a line of its own; the log says it too.
void CopyEngine::addReason(const std::string& reason) {
    errorText += "\n" + reason;
    runlog::write("archive failed", archivePath + ": " + reason);
}
