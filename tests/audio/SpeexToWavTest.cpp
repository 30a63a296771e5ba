#include "audio/AudioFixtures.h"
#include "audio/AudioTranscoder.h"
#include "audio/OggPackets.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct Variant {
    const char* name;
    const char* modeOption;
    int rate;
    int channels;
    int framesPerPacket;
    // speexdec drops the decoder's lookahead by granule position; we keep every frame.
    std::size_t lookahead;
};

const Variant kVariants[] = {
    {"nb-mono", "--narrowband", 8000, 1, 1, 80},
    {"nb-stereo", "--narrowband", 8000, 2, 1, 80},
    {"wb-mono", "--wideband", 16000, 1, 3, 223},
    {"wb-stereo", "--wideband", 16000, 2, 2, 223},
    {"uwb-mono", "--ultra-wideband", 32000, 1, 1, 509},
    {"uwb-stereo", "--ultra-wideband", 32000, 2, 4, 509},
};

// Offsets of the Speex header's numbers.
constexpr std::size_t kVersionId = 28;
constexpr std::size_t kRate = 36;
constexpr std::size_t kMode = 40;
constexpr std::size_t kModeBitstreamVersion = 44;
constexpr std::size_t kFramesPerPacket = 64;
constexpr std::size_t kExtraHeaders = 68;

} // namespace

class SpeexToWav : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fixtures = std::make_unique<TempFolder>();
        const fs::path folder = fixtures->path();
        for (const Variant& v : kVariants) {
            const auto wav = makeSpeech(folder, v.rate, v.channels);
            ASSERT_TRUE(runTool("speexenc", {v.modeOption, "--nframes",
                                             std::to_string(v.framesPerPacket), wav.string(),
                                             (folder / (std::string(v.name) + ".spx")).string()}));
        }
    }
    static void TearDownTestSuite() { fixtures.reset(); }
    static fs::path fixture(const std::string& name) { return fixtures->path() / (name + ".spx"); }

    // Our samples of an input, after the header when the name asks for one.
    WavFile decode(const fs::path& input, const std::string& outputName = "out.wav") {
        const auto output = out / outputName;
        EXPECT_TRUE(transcoder.speexToWav(input.string(), output.string())) << input;
        return readWav(output);
    }
    fs::path writeStream(const std::string& name, const std::vector<OggPacket>& packets) {
        return out.write(name, writeOggStream(packets, 77));
    }
    std::vector<OggPacket> basePackets() { return readOggPackets(fixture("nb-mono")); }

    TempFolder out;
    AudioTranscoder transcoder;
    static std::unique_ptr<TempFolder> fixtures;
};

std::unique_ptr<TempFolder> SpeexToWav::fixtures;

// speexdec trims the decoder's lookahead by granule position (when the audio spans more than one
// page, as here) and converts through the integer path, whose stereo expansion works on
// integers: after the lookahead mono agrees exactly and stereo within 2.
TEST_F(SpeexToWav, MatchesSpeexdecAfterTheLookahead) {
    for (const Variant& v : kVariants) {
        const WavFile wav = decode(fixture(v.name));
        EXPECT_EQ(wav.channels, v.channels) << v.name;
        EXPECT_EQ(wav.rate, static_cast<std::uint32_t>(v.rate)) << v.name;
        EXPECT_EQ(wav.blockAlign, v.channels * 2) << v.name;
        EXPECT_EQ(wav.dataSize, wav.samples.size() * 2) << v.name;
        EXPECT_EQ(wav.riffSize, wav.dataSize + 36) << v.name;
        const Samples peer = decodeWithSpeexdec(fixture(v.name));
        const std::size_t offset = v.lookahead * v.channels;
        ASSERT_GT(peer.size(), 1000u) << v.name;
        ASSERT_GE(wav.samples.size(), offset + peer.size()) << v.name;
        const int tolerance = v.channels == 1 ? 0 : 2;
        int worst = 0;
        for (std::size_t i = 0; i < peer.size(); ++i) {
            worst = std::max(worst, std::abs(wav.samples[offset + i] - peer[i]));
        }
        EXPECT_LE(worst, tolerance) << v.name;
    }
}

TEST_F(SpeexToWav, NarrowbandMonoGivesOneFrameOf320BytesPerPacket) {
    const std::size_t audioPackets = basePackets().size() - 2;
    const WavFile wav = decode(fixture("nb-mono"));
    EXPECT_EQ(fs::file_size(out / "out.wav"), 44 + 320 * audioPackets);
    EXPECT_EQ(wav.riffSize, 36 + 320 * audioPackets);
    EXPECT_EQ(wav.dataSize, 320 * audioPackets);
    EXPECT_EQ(wav.byteRate, 16000u);
    EXPECT_EQ(wav.blockAlign, 2);
}

TEST_F(SpeexToWav, LoudInputIsClampedAtThirtyTwoThousand) {
    const auto loud = out / "loud.wav";
    ASSERT_TRUE(runTool("sox", {"-R", "-n", "-r", "8000", "-c", "1", "-b", "16", loud.string(),
                                "synth", "1", "square", "200", "vol", "0.99"}));
    ASSERT_TRUE(runTool("speexenc", {"--narrowband", loud.string(), (out / "loud.spx").string()}));
    const Samples samples = decode(out / "loud.spx").samples;
    const Samples peer = decodeWithSpeexdec(out / "loud.spx");
    EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 32000);
    EXPECT_EQ(*std::min_element(samples.begin(), samples.end()), -32000);
    EXPECT_GT(*std::max_element(peer.begin(), peer.end()), 32000) << "input not loud enough";
}

TEST_F(SpeexToWav, HeaderVariantsDecodeAsTheOriginal) {
    const Samples original = decode(fixture("nb-mono")).samples;
    auto noFrameCount = basePackets();
    setPacketField(noFrameCount[0], kFramesPerPacket, 0);
    auto extraHeaders = basePackets();
    setPacketField(extraHeaders[0], kExtraHeaders, 2);
    extraHeaders.insert(extraHeaders.begin() + 2, 2, OggPacket{"not audio", 0, false});
    // Every packet holds one frame; the frames it lacks stop it through the decoder's end
    // result or the bit reader running past the packet. 64 is the most a header may promise.
    auto manyFrames = basePackets();
    setPacketField(manyFrames[0], kFramesPerPacket, 64);
    EXPECT_TRUE(decode(writeStream("zero-frames.spx", noFrameCount)).samples == original);
    EXPECT_TRUE(decode(writeStream("many-frames.spx", manyFrames)).samples == original);
    EXPECT_TRUE(decode(writeStream("extra.spx", extraHeaders)).samples == original);
}

TEST_F(SpeexToWav, PacketsAfterEndOfStreamAndOtherStreamsAddNothing) {
    auto packets = basePackets();
    packets.resize(12);
    packets.back().endOfStream = true;
    const Samples shortStream = decode(writeStream("short.spx", packets)).samples;
    ASSERT_EQ(shortStream.size(), 10u * 160);
    auto extended = basePackets();
    extended[11].endOfStream = true;
    EXPECT_TRUE(decode(writeStream("after-end.spx", extended)).samples == shortStream);

    const auto two =
        out.write("two.spx", readWholeFile(fixture("nb-mono")) +
                                 writeOggStream(readOggPackets(fixture("wb-mono")), 5));
    EXPECT_TRUE(decode(two).samples == decode(fixture("nb-mono")).samples);
}

TEST_F(SpeexToWav, HeaderAndCommentWithoutAudioGiveAnEmptyWave) {
    auto packets = basePackets();
    packets.resize(2);
    packets.back().endOfStream = true;
    const WavFile wav = decode(writeStream("silent.spx", packets));
    EXPECT_EQ(fs::file_size(out / "out.wav"), 44u);
    EXPECT_EQ(wav.riffSize, 36u);
    EXPECT_EQ(wav.dataSize, 0u);
}

TEST_F(SpeexToWav, MixedCaseWavEndingGetsBareSamples) {
    const WavFile wav = decode(fixture("nb-mono"));
    decode(fixture("nb-mono"), "bare.Wav");
    EXPECT_TRUE(toSamples(readWholeFile(out / "bare.Wav")) == wav.samples);
}

// A refused header used to end the whole program with status 1; now the conversion fails and
// leaves no output, and the caller carries on.
TEST_F(SpeexToWav, RefusedHeaderFailsWithoutOutput) {
    const struct {
        const char* what;
        std::size_t field;
        std::int32_t value;
    } cases[] = {
        {"mode 3", kMode, 3},
        {"mode -1", kMode, -1},
        {"version id 2", kVersionId, 2},
        {"newer bitstream", kModeBitstreamVersion, 5},
        {"older bitstream", kModeBitstreamVersion, 3},
        {"not a header", 0, 0x6C6C6548},
        // Headers that would give a WAVE file no player takes, or one without the sound.
        {"rate 0", kRate, 0},
        {"negative rate", kRate, -8000},
        {"rate of 2 GHz", kRate, 2000000000},
        {"negative frames per packet", kFramesPerPacket, -3},
        {"a million frames per packet", kFramesPerPacket, 1000000},
        {"negative extra headers", kExtraHeaders, -1},
        {"a million extra headers", kExtraHeaders, 1000000},
    };
    for (const auto& c : cases) {
        auto packets = basePackets();
        setPacketField(packets[0], c.field, c.value);
        const auto input = writeStream("refused.spx", packets);
        EXPECT_FALSE(transcoder.speexToWav(input.string(), (out / "refused.wav").string()))
            << c.what;
        EXPECT_FALSE(fs::exists(out / "refused.wav")) << c.what;
    }
}

TEST_F(SpeexToWav, InputWithoutAWholeSpeexStreamFailsWithoutOutput) {
    const auto empty = out.write("empty.spx", "");
    const auto garbage = out.write("garbage.spx", std::string(3000, 'x'));
    const std::string whole = readWholeFile(fixture("nb-mono"));
    const auto truncated = out.write("truncated.spx", whole.substr(0, 50));
    // Cut short inside a page, and cut at a page boundary before the end-of-stream page.
    const auto halfway = out.write("halfway.spx", whole.substr(0, whole.size() / 2));
    auto packets = basePackets();
    packets.resize(12);
    const auto noEnd = writeStream("no-end.spx", packets);
    for (const auto& input : {empty, garbage, truncated, out / "missing.spx", halfway, noEnd}) {
        EXPECT_FALSE(transcoder.speexToWav(input.string(), (out / "none.wav").string())) << input;
        EXPECT_FALSE(fs::exists(out / "none.wav")) << input;
    }
}

TEST_F(SpeexToWav, OutputThatCannotBeCreatedFails) {
    EXPECT_FALSE(transcoder.speexToWav(fixture("nb-mono").string(),
                                       (out / "no-such-folder" / "a.wav").string()));
}

TEST_F(SpeexToWav, WorksOnDrivePaths) {
    const std::string input = platform::toDrivePath(fixture("nb-mono").string());
    const std::string output = platform::toDrivePath((out / "drive.wav").string());
    ASSERT_EQ(input.substr(1, 2), ":\\");
    EXPECT_TRUE(transcoder.speexToWav(input, output));
    EXPECT_TRUE(readWav(out / "drive.wav").samples == decode(fixture("nb-mono")).samples);
}
