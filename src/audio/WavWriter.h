#pragma once
// The WAVE file format of every converted sound: a 44-byte RIFF header, then 16-bit PCM samples.
#include <cstdint>
#include <cstdio>
#include <string>

namespace wav {

// The 44-byte header with placeholder sizes.
void writeHeader(std::FILE* output, int sampleRate, int channels);
// The output file, with the header only for a name ending in ".wav" or ".WAV".
std::FILE* openOutput(const std::string& outputPath, int sampleRate, int channels);
// The real sizes, once the samples are in.
void fixSizes(std::FILE* output, std::uint32_t dataBytes);

} // namespace wav
