#pragma once
// Sound fixtures made at test time with Debian's tools, and the tools' own decoders as oracles.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Samples = std::vector<std::int16_t>;

// Runs /usr/bin/<tool> with the arguments; true when it exits with status 0.
bool runTool(const std::string& tool, const std::vector<std::string>& arguments);

// Speech at the rate given; for two channels the right one is a sweeping tone, so that the
// channels differ and the balance moves.
std::filesystem::path makeSpeech(const std::filesystem::path& folder, int rate, int channels);

// The PCM that `oggdec -R` and `speexdec` give, read as 16-bit little-endian samples.
Samples decodeWithOggdec(const std::filesystem::path& input);
Samples decodeWithSpeexdec(const std::filesystem::path& input);

struct WavFile {
    std::string tags; // "RIFF", "WAVEfmt ", "data" as found, concatenated
    std::uint32_t riffSize = 0;
    std::uint32_t formatSize = 0;
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    std::uint32_t dataSize = 0;
    Samples samples;
};

// Reads a file written with the 44-byte header; the samples are everything after it.
WavFile readWav(const std::filesystem::path& path);
Samples toSamples(const std::string& bytes);
