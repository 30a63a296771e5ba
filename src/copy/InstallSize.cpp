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
    long length = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        length = std::ftell(file);
    std::fclose(file);
    if (length < 0)
        return false;
    bytes = static_cast<std::uint64_t>(length);
    return true;
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
        if (archive.readRecord(record) != ArchiveStatus::Ok) {
            ++size.unmeasured; // the copy stops at a broken record
            return;
        }
        std::uint64_t bytes = 0;
        if (!recordWaveBytes(record, bytes)) {
            ++size.unmeasured;
            continue;
        }
        if (record.codec == kCodecVorbis || record.codec == kCodecSpeex) {
            ++size.files;
            size.waveBytes += bytes;
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

InstallSize measureInstallType(const std::string& scriptPath, const std::string& installMode) {
    std::vector<std::string> fileList;
    int entryCount = 0;
    buildFileList(scriptPath, installMode, fileList, entryCount);
    return measureCopyList(fileList);
}
