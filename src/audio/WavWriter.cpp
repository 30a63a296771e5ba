#include "audio/WavWriter.h"

#include "audio/DecoderNotes.h"
#include "audio/WavName.h"
#include "platform/Files.h"

#include <array>

namespace {

constexpr std::uint32_t kPlaceholderSize = 0x7FFFFFFF;
constexpr std::uint32_t kHeaderBytesAfterRiffSize = 36;

void putLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void putTag(std::uint8_t* at, const char* tag, int length) {
    for (int i = 0; i < length; ++i) {
        at[i] = static_cast<std::uint8_t>(tag[i]);
    }
}

void writeSize(std::FILE* output, std::uint32_t size) {
    std::uint8_t bytes[4];
    putLittleEndian(bytes, size, 4);
    std::fwrite(bytes, 1, sizeof bytes, output);
}

} // namespace

namespace wav {

void writeHeader(std::FILE* output, int sampleRate, int channels) {
    // Unsigned arithmetic: a damaged stream may claim any rate, and the fields simply wrap.
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    const auto channelCount = static_cast<std::uint16_t>(channels);
    std::array<std::uint8_t, 44> header{};
    putTag(&header[0], "RIFF", 4);
    putLittleEndian(&header[4], kPlaceholderSize, 4);
    putTag(&header[8], "WAVEfmt ", 8);
    putLittleEndian(&header[16], 16, 4);
    putLittleEndian(&header[20], 1, 2);
    putLittleEndian(&header[22], channelCount, 2);
    putLittleEndian(&header[24], rate, 4);
    putLittleEndian(&header[28], rate * channelCount * 2u, 4);
    putLittleEndian(&header[32], channelCount * 2u, 2);
    putLittleEndian(&header[34], 16, 2);
    putTag(&header[36], "data", 4);
    putLittleEndian(&header[40], kPlaceholderSize, 4);
    std::fwrite(header.data(), 1, header.size(), output);
}

std::FILE* openOutput(const std::string& outputPath, int sampleRate, int channels) {
    std::FILE* output = platform::openFile(outputPath, "wb");
    if (output == nullptr) {
        audio::note("Cannot create the output file %s\n", outputPath.c_str());
        return nullptr;
    }
    if (hasWavName(outputPath)) {
        writeHeader(output, sampleRate, channels);
    }
    return output;
}

void fixSizes(std::FILE* output, std::uint32_t dataBytes) {
    if (std::fseek(output, 4, SEEK_SET) != 0) {
        audio::note("Cannot seek on the output file; the WAVE sizes stay unset\n");
        return;
    }
    writeSize(output, dataBytes + kHeaderBytesAfterRiffSize);
    if (std::fseek(output, 32, SEEK_CUR) != 0) {
        audio::note("Cannot seek on the output file; the data size stays unset\n");
        return;
    }
    writeSize(output, dataBytes);
}

} // namespace wav
