#include "copy/ArchiveRecordExtraction.h"

#include "audio/AudioTranscoder.h"
#include "copy/CopyPaths.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Paths.h"

#include <string>

namespace {

// A name that no other run, and no other record of this run, gives a file: the compressed file
// and the WAVE file being written carry it until the WAVE file is complete, so that a failure,
// or a second installer at work in the same folder, never touches a file it did not write. It is
// short, so that a record named as long as a file name may be is still unpacked.
std::string ownName() {
    static std::atomic<unsigned long> counter{0};
    return "~setup-" + std::to_string(platform::processId()) + "-" + std::to_string(++counter);
}

bool stopAsked(const std::atomic<bool>* stop) {
    return stop && stop->load(std::memory_order_relaxed);
}

enum class Streamed { Written, ReadFailed, WriteFailed, DiskFull, Stopped };

// The record's data, piece by piece, into a file of its own.
Streamed streamRecordData(SoundArchive& archive, const std::string& path,
                          const std::atomic<bool>* stop, ArchiveStatus& status) {
    std::FILE* file = platform::openFile(path, "wb");
    if (!file)
        return platform::lastFileFailure().diskFull ? Streamed::DiskFull : Streamed::WriteFailed;
    bool writeFailed = false;
    bool diskFull = false;
    bool stopped = false;
    status = archive.readRecordData([&](const unsigned char* bytes, std::size_t count) {
        stopped = stopAsked(stop);
        writeFailed = !stopped && std::fwrite(bytes, 1, count, file) != count;
        diskFull = writeFailed && platform::lastFileFailure().diskFull;
        return !stopped && !writeFailed;
    });
    if (std::fclose(file) != 0 && !writeFailed) {
        writeFailed = true;
        diskFull = platform::lastFileFailure().diskFull;
    }
    if (stopped)
        return Streamed::Stopped;
    if (writeFailed)
        return diskFull ? Streamed::DiskFull : Streamed::WriteFailed;
    return status == ArchiveStatus::Ok ? Streamed::Written : Streamed::ReadFailed;
}

} // namespace

RecordExtraction unpackArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                                     const std::string& archivePath,
                                     const std::atomic<bool>* stop, const RecordInPlace& inPlace) {
    RecordExtraction outcome;
    SoundArchiveRecord record;
    outcome.status = archive.readRecordHeader(record);
    if (outcome.status != ArchiveStatus::Ok)
        return outcome;

    // The target and the archive's folder are named as the script and the user wrote them;
    // only the record's own name is lower-cased for the WAVE file, so a folder that differs from
    // the target only in letter case never receives it.
    const std::string recordFolder = targetFolder + "\\" + folderPrefix(archivePath);
    outcome.displayName = recordDisplayName(record.name);
    outcome.codec = record.codec;
    const std::string extension = codecExtension(record.codec);
    if (extension.empty()) {
        // Nothing to convert, so nothing is written: an installed file of the same name stays.
        outcome.status = archive.skipRecordData();
        outcome.result = outcome.status == ArchiveStatus::Ok
                             ? RecordExtraction::Result::Skipped
                             : RecordExtraction::Result::ArchiveBroken;
        return outcome;
    }
    if (inPlace) {
        const std::string output = recordOutputPath(recordFolder, record.name, extension);
        if (std::optional<FileDigest> digest = inPlace(output)) {
            outcome.status = archive.skipRecordData();
            if (outcome.status != ArchiveStatus::Ok)
                return outcome;
            outcome.result = RecordExtraction::Result::InPlace;
            outcome.outputPath = output;
            outcome.digest = digest;
            return outcome;
        }
    }
    const std::string own = recordFolder + ownName();
    const std::string tempPath = own + ".tmp";
    const Streamed streamed = streamRecordData(archive, tempPath, stop, outcome.status);
    switch (streamed) {
    case Streamed::Written:
        break;
    case Streamed::ReadFailed:
        (void)platform::deleteFile(tempPath);
        outcome.result = RecordExtraction::Result::ArchiveBroken;
        return outcome;
    case Streamed::Stopped:
        (void)platform::deleteFile(tempPath);
        outcome.result = RecordExtraction::Result::Stopped;
        return outcome;
    case Streamed::WriteFailed:
    case Streamed::DiskFull:
        (void)platform::deleteFile(tempPath); // a partial file may be there; nothing else to do
        outcome.result = RecordExtraction::Result::WriteFailed;
        outcome.diskFull = streamed == Streamed::DiskFull;
        outcome.failedPath = recordFolder + record.name;
        return outcome;
    }
    outcome.outputPath = recordOutputPath(recordFolder, record.name, extension);
    // Native paths, so that the conversion asks nothing of the drive table from its thread.
    // Named as a WAVE file: the Speex path writes the real sizes only into such a file.
    outcome.compressedFile = platform::toNativePath(tempPath);
    outcome.partialFile = platform::toNativePath(own + ".wav");
    outcome.result = RecordExtraction::Result::Unpacked;
    return outcome;
}

ConversionEnd convertUnpackedRecord(const RecordExtraction& unpacked,
                                    const std::atomic<bool>* stop) {
    AudioTranscoder transcoder;
    transcoder.stopWhen(stop);
    const bool converted =
        unpacked.codec == kCodecVorbis
            ? transcoder.vorbisToWav(unpacked.compressedFile, unpacked.partialFile)
            : transcoder.speexToWav(unpacked.compressedFile, unpacked.partialFile);
    // Deleting is best effort: a left-over compressed file does no harm to the installation,
    // a half-written WAVE file would.
    (void)platform::deleteFile(unpacked.compressedFile);
    if (converted)
        return ConversionEnd::Converted;
    return transcoder.diskFull() ? ConversionEnd::DiskFull : ConversionEnd::Failed;
}

void landConvertedRecord(RecordExtraction& record, ConversionEnd end) {
    if (end == ConversionEnd::Converted &&
        platform::replaceFile(record.partialFile, record.outputPath)) {
        record.result = RecordExtraction::Result::Converted;
        return;
    }
    // Whatever stood at the WAVE file's name before stays as it was.
    (void)platform::deleteFile(record.partialFile);
    record.result = RecordExtraction::Result::ConversionFailed;
    record.diskFull = end == ConversionEnd::DiskFull;
    record.failedPath = record.outputPath; // the file the user misses is the WAVE file
    record.outputPath.clear();
}

void dropUnpackedRecord(const RecordExtraction& record) {
    (void)platform::deleteFile(record.compressedFile);
    (void)platform::deleteFile(record.partialFile);
}

RecordExtraction
extractArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                     const std::string& archivePath,
                     const std::function<void(const std::string&)>& beforeConversion) {
    RecordExtraction record = unpackArchiveRecord(archive, targetFolder, archivePath);
    if (record.result != RecordExtraction::Result::Unpacked)
        return record;
    if (beforeConversion)
        beforeConversion(record.displayName);
    landConvertedRecord(record, convertUnpackedRecord(record));
    return record;
}
