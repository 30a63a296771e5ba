#include "audio/AudioFixtures.h"
#include "audio/WavWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const char kHeaderBytes[] = "\x52\x49\x46\x46"
                            "\xFF\xFF\xFF\x7F"
                            "\x57\x41\x56\x45\x66\x6D\x74\x20"
                            "\x10\x00\x00\x00"
                            "\x01\x00"
                            "\x02\x00"
                            "\x22\x56\x00\x00"
                            "\x88\x58\x01\x00"
                            "\x04\x00"
                            "\x10\x00"
                            "\x64\x61\x74\x61"
                            "\xFF\xFF\xFF\x7F";
const std::string kHeader22050Stereo(kHeaderBytes, 44);

std::string headerOf(int rate, int channels) {
    TempFolder folder;
    const auto path = folder / "header.bin";
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    wav::writeHeader(file, rate, channels);
    std::fclose(file);
    return readWholeFile(path);
}

} // namespace

TEST(WavWriter, HeaderBytesForStereoAt22050) {
    EXPECT_EQ(headerOf(22050, 2), kHeader22050Stereo);
}

TEST(WavWriter, FixSizesWritesBothSizesAndKeepsTheRest) {
    for (std::uint32_t dataBytes : {1000u, 0u}) {
        TempFolder folder;
        const auto path = folder / "sized.wav";
        std::FILE* file = wav::openOutput(path.string(), 22050, 2);
        ASSERT_NE(file, nullptr);
        wav::fixSizes(file, dataBytes);
        std::fclose(file);
        const WavFile wav = readWav(path);
        EXPECT_EQ(wav.riffSize, dataBytes + 36) << dataBytes;
        EXPECT_EQ(wav.dataSize, dataBytes) << dataBytes;
        std::string expected = kHeader22050Stereo;
        std::string actual = readWholeFile(path);
        ASSERT_EQ(actual.size(), 44u);
        actual.replace(4, 4, 4, '*').replace(40, 4, 4, '*');
        expected.replace(4, 4, 4, '*').replace(40, 4, 4, '*');
        EXPECT_EQ(actual, expected);
    }
}

TEST(WavWriter, HeaderOnlyForNamesEndingInLowerOrUpperWav) {
    const struct {
        const char* name;
        bool header;
    } cases[] = {{"a.wav", true},  {"A.WAV", true},  {"a.Wav", false},
                 {"a.wAV", false}, {"a.raw", false}, {"wav", false}};
    for (const auto& c : cases) {
        TempFolder folder;
        const auto path = folder / c.name;
        std::FILE* file = wav::openOutput(path.string(), 8000, 1);
        ASSERT_NE(file, nullptr) << c.name;
        std::fputs("pcm", file);
        std::fclose(file);
        const std::string bytes = readWholeFile(path);
        EXPECT_EQ(bytes.size(), c.header ? 47u : 3u) << c.name;
        EXPECT_EQ(bytes.substr(bytes.size() - 3), "pcm") << c.name;
    }
}

TEST(WavWriter, OutputThatCannotBeCreatedGivesNoStream) {
    TempFolder folder;
    EXPECT_EQ(wav::openOutput((folder / "missing" / "a.wav").string(), 8000, 1),
              nullptr);
}
