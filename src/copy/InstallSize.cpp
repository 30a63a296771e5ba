#include "copy/InstallSize.h"

#include "audio/WaveSize.h"
#include "copy/CopyList.h"
#include "copy/CopyPaths.h"
#include "copy/SoundArchive.h"
#include "platform/Files.h"

#include <cstdio>

bool plainFileBytes(const std::string& path, std::uint64_t& bytes) {
    std::FILE* file = platform::openFile(path, "rb");
    if (file == nullptr)
        return false;
    // Whole past 2 GiB, which a long offset misses on Windows.
    const bool measured = platform::measureOpenFile(file, bytes);
    std::fclose(file);
    return measured;
}

namespace {

void measureArchive(const std::string& entry, InstallSize& size) {
    SoundArchive archive;
    if (!archive.open(entry)) {
        ++size.unmeasured;
        return;
    }
    while (!archive.atEnd()) {
        SoundArchiveRecord record;
        const StreamedWaveBytes measured =
            archive.readRecordHeader(record) == ArchiveStatus::Ok
                ? recordWaveBytes(archive, record.codec)
                : StreamedWaveBytes{ArchiveStatus::ReadFailed, std::nullopt};
        if (measured.status != ArchiveStatus::Ok) {
            ++size.unmeasured; // the copy stops at a broken record
            return;
        }
        if (!measured.bytes) {
            ++size.unmeasured;
            continue;
        }
        if (record.codec == kCodecVorbis || record.codec == kCodecSpeex) {
            ++size.files;
            size.waveBytes += *measured.bytes;
        }
    }
}

} // namespace

bool recordWaveBytes(const SoundArchiveRecord& record, std::uint64_t& bytes) {
    std::optional<std::uint64_t> measured;
    if (record.codec == kCodecVorbis)
        measured = vorbisWaveBytes(record.data.data(), record.data.size());
    else if (record.codec == kCodecSpeex)
        measured = speexWaveBytes(record.data.data(), record.data.size());
    else
        measured = 0; // nothing remains of it
    bytes = measured.value_or(0);
    return measured.has_value();
}

StreamedWaveBytes recordWaveBytes(SoundArchive& archive, std::uint32_t codec) {
    StreamedWaveBytes measured;
    if (codec != kCodecVorbis && codec != kCodecSpeex) {
        measured.status = archive.skipRecordData();
        if (measured.status == ArchiveStatus::Ok)
            measured.bytes = 0; // nothing remains of it
        return measured;
    }
    const WavePieceSource source = [&archive, &measured](const WavePieceTaker& take) {
        measured.status = archive.readRecordData(take);
        return measured.status == ArchiveStatus::Ok;
    };
    measured.bytes = codec == kCodecVorbis ? vorbisWaveBytes(source) : speexWaveBytes(source);
    return measured;
}

InstallSize measureCopyList(const std::vector<std::string>& fileList) {
    InstallSize size;
    for (const std::string& entry : fileList) {
        if (isArchiveEntry(entry)) {
            measureArchive(entry, size);
            continue;
        }
        std::uint64_t bytes = 0;
        if (!plainFileBytes(entry, bytes)) {
            ++size.unmeasured;
            continue;
        }
        ++size.files;
        size.copiedBytes += bytes;
    }
    return size;
}

InstallSize measureInstallType(const SetupScript& script, const std::string& installMode) {
    std::vector<std::string> fileList;
    int entryCount = 0;
    buildFileList(script, installMode, fileList, entryCount);
    return measureCopyList(fileList);
}
