#include "copy/ArchiveRecordExtraction.h"

#include "audio/AudioTranscoder.h"
#include "copy/CopyPaths.h"
#include "platform/Environment.h"
#include "platform/Files.h"

#include <string>
#include <vector>

namespace {

bool writeWholeFile(const std::string& path, const std::vector<unsigned char>& data) {
    std::FILE* file = platform::openFile(path, "wb");
    if (!file)
        return false;
    const bool written =
        data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

// A name that no other run, and no other record of this run, gives a file: the compressed file
// and the WAVE file being written carry it until the WAVE file is complete, so that a failure,
// or a second installer at work in the same folder, never touches a file it did not write. It is
// short, so that a record named as long as a file name may be is still unpacked.
std::string ownName() {
    static unsigned long counter = 0;
    return "~setup-" + std::to_string(platform::processId()) + "-" + std::to_string(++counter);
}

bool convertRecord(std::uint32_t codec, const std::string& input, const std::string& output) {
    AudioTranscoder transcoder;
    if (codec == kCodecVorbis)
        return transcoder.vorbisToWav(input, output);
    return transcoder.speexToWav(input, output);
}

} // namespace

RecordExtraction
extractArchiveRecord(SoundArchive& archive, const std::string& targetFolder,
                     const std::string& archivePath,
                     const std::function<void(const std::string&)>& beforeConversion) {
    RecordExtraction outcome;
    SoundArchiveRecord record;
    outcome.status = archive.readRecord(record);
    if (outcome.status != ArchiveStatus::Ok)
        return outcome;

    // The target and the archive's folder are named as the script and the user wrote them;
    // only the record's own name is lower-cased for the WAVE file, so a folder that differs from
    // the target only in letter case never receives it.
    const std::string recordFolder = targetFolder + "\\" + folderPrefix(archivePath);
    const std::string own = recordFolder + ownName();
    const std::string tempPath = own + ".tmp";
    outcome.displayName = recordDisplayName(record.name);
    const std::string extension = codecExtension(record.codec);
    if (extension.empty()) {
        // Nothing to convert, so nothing is written: an installed file of the same name stays.
        outcome.result = RecordExtraction::Result::Skipped;
        return outcome;
    }
    const bool written = writeWholeFile(tempPath, record.data);
    std::vector<unsigned char>().swap(record.data);
    if (!written) {
        (void)platform::deleteFile(tempPath); // a partial file may be there; nothing else to do
        outcome.result = RecordExtraction::Result::WriteFailed;
        outcome.failedPath = recordFolder + record.name;
        return outcome;
    }
    if (beforeConversion)
        beforeConversion(outcome.displayName);

    const std::string outputPath = recordOutputPath(recordFolder, record.name, extension);
    // Named as a WAVE file: the Speex path writes the real sizes only into such a file.
    const std::string partialPath = own + ".wav";
    const bool converted = convertRecord(record.codec, tempPath, partialPath);
    // Deleting is best effort: a left-over compressed file does no harm to the installation,
    // a half-written WAVE file would.
    (void)platform::deleteFile(tempPath);
    if (!converted || !platform::replaceFile(partialPath, outputPath)) {
        // Whatever stood at the WAVE file's name before stays as it was.
        (void)platform::deleteFile(partialPath);
        outcome.result = RecordExtraction::Result::ConversionFailed;
        outcome.failedPath = outputPath; // the file the user misses is the WAVE file
        return outcome;
    }
    outcome.result = RecordExtraction::Result::Converted;
    outcome.outputPath = outputPath;
    return outcome;
}
