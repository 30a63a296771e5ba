#include "audio/AudioFixtures.h"

#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

bool runTool(const std::string& tool, const std::vector<std::string>& arguments) {
    const int status = runHostCommand(hostCommandLine("/usr/bin/" + tool, arguments));
    if (status != 0) {
        ADD_FAILURE() << tool << " ended with status " << status;
    }
    return status == 0;
}

// sox runs with -R: its dither is random otherwise, and each run would test other samples.
std::filesystem::path makeSpeech(const std::filesystem::path& folder, int rate, int channels) {
    const auto speech = folder / "speech.wav";
    if (!std::filesystem::exists(speech)) {
        runTool("espeak-ng", {"-w", speech.string(),
                              "The quick brown fox jumps over the lazy dog. "
                              "Installing the sounds of the game, please wait."});
    }
    const std::string name = "speech-" + std::to_string(rate) + "-" + std::to_string(channels);
    const auto result = folder / (name + ".wav");
    if (channels == 1) {
        runTool("sox", {"-R", speech.string(), "-r", std::to_string(rate), result.string()});
        return result;
    }
    const auto tone = folder / (name + "-tone.wav");
    runTool("sox", {"-R", "-n", "-r", "22050", "-c", "1", "-b", "16", tone.string(), "synth", "2",
                    "sine", "300-900", "vol", "0.3"});
    runTool("sox", {"-R", "-M", speech.string(), tone.string(), "-r", std::to_string(rate),
                    result.string()});
    return result;
}

Samples toSamples(const std::string& bytes) {
    Samples samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto low = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto high = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        samples[i] = static_cast<std::int16_t>(low | (high << 8));
    }
    return samples;
}

Samples decodeWithOggdec(const std::filesystem::path& input) {
    const auto raw = std::filesystem::path(input).replace_extension(".oggdec.raw");
    runTool("oggdec", {"-Q", "-R", "-o", raw.string(), input.string()});
    return toSamples(readWholeFile(raw));
}

Samples decodeWithSpeexdec(const std::filesystem::path& input) {
    // Any name not ending in .wav gives bare samples.
    const auto raw = std::filesystem::path(input).replace_extension(".speexdec.raw");
    runTool("speexdec", {input.string(), raw.string()});
    return toSamples(readWholeFile(raw));
}

namespace {

std::uint32_t readNumber(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

} // namespace

WavFile readWav(const std::filesystem::path& path) {
    const std::string bytes = readWholeFile(path);
    WavFile wav;
    if (bytes.size() < 44) {
        return wav;
    }
    wav.tags = bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4);
    wav.riffSize = readNumber(bytes, 4, 4);
    wav.formatSize = readNumber(bytes, 16, 4);
    wav.formatTag = static_cast<std::uint16_t>(readNumber(bytes, 20, 2));
    wav.channels = static_cast<std::uint16_t>(readNumber(bytes, 22, 2));
    wav.rate = readNumber(bytes, 24, 4);
    wav.byteRate = readNumber(bytes, 28, 4);
    wav.blockAlign = static_cast<std::uint16_t>(readNumber(bytes, 32, 2));
    wav.bits = static_cast<std::uint16_t>(readNumber(bytes, 34, 2));
    wav.dataSize = readNumber(bytes, 40, 4);
    wav.samples = toSamples(bytes.substr(44));
    return wav;
}
