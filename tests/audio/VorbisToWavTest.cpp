#include "audio/AudioFixtures.h"
#include "audio/AudioTranscoder.h"
#include "audio/OggPackets.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

class VorbisToWav : public testing::Test {
protected:
    static void SetUpTestSuite() {
        fixtures = std::make_unique<TempFolder>();
        const fs::path folder = fixtures->path();
        encode(makeSpeech(folder, 22050, 1), folder / "mono22050.ogg");
        encode(makeSpeech(folder, 44100, 2), folder / "stereo44100.ogg");
        fixtures->write("chained.ogg", readWholeFile(folder / "mono22050.ogg") +
                                           readWholeFile(folder / "stereo44100.ogg"));
    }
    static void TearDownTestSuite() { fixtures.reset(); }

    static void encode(const fs::path& wav, const fs::path& ogg) {
        ASSERT_TRUE(runTool("oggenc", {"-Q", "-o", ogg.string(), wav.string()}));
    }
    static fs::path fixture(const std::string& name) { return fixtures->path() / name; }

    TempFolder out;
    AudioTranscoder transcoder;
    static std::unique_ptr<TempFolder> fixtures;
};

std::unique_ptr<TempFolder> VorbisToWav::fixtures;

TEST_F(VorbisToWav, MatchesOggdecWithTheRealSizesInTheHeader) {
    const struct {
        const char* name;
        std::uint16_t channels;
        std::uint32_t rate;
    } cases[] = {{"mono22050.ogg", 1, 22050}, {"stereo44100.ogg", 2, 44100}};
    for (const auto& c : cases) {
        const auto output = out / (std::string(c.name) + ".wav");
        ASSERT_TRUE(transcoder.vorbisToWav(fixture(c.name).string(), output.string())) << c.name;
        const WavFile wav = readWav(output);
        EXPECT_EQ(wav.tags, "RIFFWAVEfmt data");
        EXPECT_EQ(wav.formatSize, 16u);
        EXPECT_EQ(wav.formatTag, 1);
        EXPECT_EQ(wav.channels, c.channels);
        EXPECT_EQ(wav.rate, c.rate);
        EXPECT_EQ(wav.byteRate, c.rate * c.channels * 2);
        EXPECT_EQ(wav.blockAlign, c.channels * 2);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.dataSize, wav.samples.size() * 2);
        EXPECT_EQ(wav.riffSize, wav.dataSize + 36);
        EXPECT_EQ(fs::file_size(output), 44 + wav.dataSize);
        const Samples peer = decodeWithOggdec(fixture(c.name));
        ASSERT_FALSE(peer.empty());
        EXPECT_TRUE(wav.samples == peer)
            << c.name << ": ours " << wav.samples.size() << " samples, oggdec " << peer.size();
    }
}

TEST_F(VorbisToWav, ChainedFileDecodesEveryLinkUnderTheFirstLinksHeader) {
    const auto output = out / "chained.wav";
    ASSERT_TRUE(transcoder.vorbisToWav(fixture("chained.ogg").string(), output.string()));
    const WavFile wav = readWav(output);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.rate, 22050u);
    // oggdec stops where the stream's parameters change, so each link is decoded on its own.
    Samples peer = decodeWithOggdec(fixture("mono22050.ogg"));
    const Samples second = decodeWithOggdec(fixture("stereo44100.ogg"));
    peer.insert(peer.end(), second.begin(), second.end());
    EXPECT_TRUE(wav.samples == peer);
    EXPECT_EQ(wav.dataSize, wav.samples.size() * 2);
}

// A failed conversion used to leave an empty or short WAVE file behind, which looks like an
// installed sound; now it leaves nothing.
TEST_F(VorbisToWav, FailedConversionLeavesNoOutputFile) {
    const auto garbage = out.write("garbage.ogg", std::string(5000, 'x'));
    const auto empty = out.write("empty.ogg", "");
    const auto speex =
        out.write("speex.ogg", readWholeFile(fixture("mono22050.ogg")).substr(0, 60));
    // Streams cut short, inside a page or before the end-of-stream page, and a chain whose
    // second link is cut: the library would decode them as far as they go.
    const std::string whole = readWholeFile(fixture("stereo44100.ogg"));
    const auto halfway = out.write("halfway.ogg", whole.substr(0, whole.size() / 2));
    std::vector<std::string> pages = splitOggPages(whole);
    pages.pop_back();
    std::string withoutLastPage;
    for (const std::string& page : pages) {
        withoutLastPage += page;
    }
    const auto noEnd = out.write("no-end.ogg", withoutLastPage);
    const auto cutChain =
        out.write("cut-chain.ogg", readWholeFile(fixture("mono22050.ogg")) + withoutLastPage);
    // Rates no WAVE file can carry: the identification header's rate field rewritten.
    auto rated = [&](const char* name, std::int32_t rate) {
        auto packets = readOggPackets(fixture("mono22050.ogg"));
        setPacketField(packets[0], 12, rate);
        return out.write(name, writeOggStream(packets, 5, 3));
    };
    const auto rate0 = rated("rate0.ogg", 0);
    const auto rateAllOnes = rated("rate-ffffffff.ogg", -1);
    for (const auto& input : {garbage, empty, speex, out / "missing.ogg", halfway, noEnd, cutChain,
                              rate0, rateAllOnes}) {
        const auto output = out / "failed.wav";
        EXPECT_FALSE(transcoder.vorbisToWav(input.string(), output.string())) << input;
        EXPECT_FALSE(fs::exists(output)) << input;
    }
}

TEST_F(VorbisToWav, OutputThatCannotBeCreatedFails) {
    EXPECT_FALSE(transcoder.vorbisToWav(fixture("mono22050.ogg").string(),
                                        (out / "no-such-folder" / "a.wav").string()));
}

TEST_F(VorbisToWav, WorksOnDrivePaths) {
    const std::string input = platform::toDrivePath(fixture("mono22050.ogg").string());
    const std::string output = platform::toDrivePath((out / "drive.wav").string());
    ASSERT_EQ(input.substr(1, 2), ":\\");
    EXPECT_TRUE(transcoder.vorbisToWav(input, output));
    EXPECT_TRUE(readWav(out / "drive.wav").samples == decodeWithOggdec(fixture("mono22050.ogg")));
}

// A missing page is a gap the library reports and decoding goes on past it, as oggdec does.
TEST_F(VorbisToWav, MissingPageIsSkippedAsOggdecSkipsIt) {
    std::vector<std::string> pages = splitOggPages(readWholeFile(fixture("stereo44100.ogg")));
    ASSERT_GT(pages.size(), 6u);
    pages.erase(pages.begin() + 4);
    std::string bytes;
    for (const std::string& page : pages) {
        bytes += page;
    }
    const auto input = out.write("gap.ogg", bytes);
    ASSERT_TRUE(transcoder.vorbisToWav(input.string(), (out / "gap.wav").string()));
    const Samples samples = readWav(out / "gap.wav").samples;
    EXPECT_LT(samples.size(), decodeWithOggdec(fixture("stereo44100.ogg")).size());
    EXPECT_TRUE(samples == decodeWithOggdec(input));
}

// Calling the library again after a stream error made it divide by zero on this file (a chained
// file whose second link has damaged set-up headers), which ended the whole program.
TEST_F(VorbisToWav, StreamErrorEndsTheConversionInsteadOfCrashing) {
    const auto output = out / "damaged.wav";
    EXPECT_FALSE(transcoder.vorbisToWav((testDataFolder() / "damaged-second-link.ogg").string(),
                                        output.string()));
    EXPECT_FALSE(fs::exists(output));
}
