#pragma once
// Turns one compressed sound file (Ogg Vorbis or Ogg Speex) into one 16-bit PCM WAVE file.
// Paths are drive paths, paths relative to the current folder, or native absolute paths.
#include <cstdint>
#include <cstdio>
#include <string>

class AudioTranscoder {
public:
    virtual ~AudioTranscoder() = default;

    // True only when the whole stream was decoded and every write succeeded; on false no output
    // file is left behind.
    bool vorbisToWav(const std::string& inputPath, const std::string& outputPath);
    bool speexToWav(const std::string& inputPath, const std::string& outputPath);

    // WavWriter: the 44-byte header with placeholder sizes, the output file (header only for a
    // name ending in ".wav" or ".WAV"), and the real sizes once the samples are in.
    static void writeHeader(std::FILE* output, int sampleRate, int channels);
    static std::FILE* openOutput(const std::string& outputPath, int sampleRate, int channels);
    static void fixSizes(std::FILE* output, std::uint32_t dataBytes);
};
