#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The WAVE file one conversion writes. It counts the sample bytes, notices a failed write, and
// removes the file unless the conversion finishes it: a half-written or empty file must never
// look like an installed sound.
class AudioTranscoder;

class OutputFile {
public:
    // The transcoder is told when a write fails because the disk is full.
    explicit OutputFile(const AudioTranscoder& owner) : owner(owner) {}
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Takes over a freshly created stream (null when creation failed: false).
    bool adopt(std::FILE* created, const std::string& createdPath);
    bool isOpen() const { return stream != nullptr; }
    std::FILE* file() const { return stream; }
    std::uint32_t dataBytes() const { return sampleBytes; }

    // Appends samples after the header; false when the write fails or the data chunk would
    // outgrow its 32-bit size field.
    bool writeSamples(const void* samples, std::size_t bytes);

    // Writes the real sizes when asked, closes the file and keeps it; false (and no file) when
    // any write so far has failed.
    bool finish(bool withSizes);

    // Closes and removes the file; nothing when none is open.
    void discard();

private:
    // Reports a failed write, and a full disk to the transcoder.
    void noteWriteFailure();

    const AudioTranscoder& owner;
    std::FILE* stream = nullptr;
    std::string path;
    std::uint32_t sampleBytes = 0;
};
