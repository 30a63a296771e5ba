#include "audio/OutputFile.h"

#include "audio/AudioTranscoder.h"
#include "audio/DecoderNotes.h"
#include "audio/WavWriter.h"
#include "platform/Files.h"

namespace {

// The RIFF size field holds the data size plus the 36 header bytes that follow it.
constexpr std::uint32_t kMaxDataBytes = 0xFFFFFFFFu - 36u;

} // namespace

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::adopt(std::FILE* created, const std::string& createdPath) {
    stream = created;
    path = createdPath;
    sampleBytes = 0;
    if (stream == nullptr && platform::lastFileFailure().diskFull)
        owner.noteDiskFull();
    return stream != nullptr;
}

bool OutputFile::writeSamples(const void* samples, std::size_t bytes) {
    if (bytes > kMaxDataBytes - sampleBytes) {
        audio::note("The decoded sound is too long for a WAVE file\n");
        return false;
    }
    if (std::fwrite(samples, 1, bytes, stream) != bytes) {
        noteWriteFailure();
        return false;
    }
    sampleBytes += static_cast<std::uint32_t>(bytes);
    return true;
}

bool OutputFile::finish(bool withSizes) {
    if (withSizes) {
        wav::fixSizes(stream, sampleBytes);
    }
    const bool written = std::ferror(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    if (written && closed) {
        return true;
    }
    noteWriteFailure();
    (void)platform::deleteFile(path); // Nothing more to do if even that fails.
    return false;
}

void OutputFile::noteWriteFailure() {
    const platform::FileFailure failure = platform::lastFileFailure();
    if (failure.diskFull)
        owner.noteDiskFull();
    audio::note("Cannot write to the output file %s: %s\n", path.c_str(), failure.reason.c_str());
}

void OutputFile::discard() {
    if (stream == nullptr) {
        return;
    }
    std::fclose(stream);
    stream = nullptr;
    (void)platform::deleteFile(path); // Nothing more to do if even that fails.
}
