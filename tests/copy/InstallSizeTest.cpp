// The WAVE sizes told from the Ogg streams must be what the transcoder writes, for the demo's
// archives (stereo Vorbis, wideband Speex) and the test tones (mono Vorbis, narrowband Speex).
#include "copy/InstallSize.h"
#include "SoundFixtures.h"
#include "audio/AudioTranscoder.h"
#include "audio/OggPackets.h"
#include "copy/SoundArchive.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

namespace fs = std::filesystem;

std::uintmax_t decodedSize(const SoundArchiveRecord& record, const TempFolder& temp) {
    const fs::path input = temp.write("record" + codecExtension(record.codec),
                                      std::string(record.data.begin(), record.data.end()));
    const fs::path output = temp / "record.wav";
    AudioTranscoder transcoder;
    const bool converted = record.codec == kCodecVorbis
                               ? transcoder.vorbisToWav(input.string(), output.string())
                               : transcoder.speexToWav(input.string(), output.string());
    return converted ? fs::file_size(output) : 0;
}

TEST(InstallSizeTest, waveBytesFromTheStreamsEqualTheDecodedFiles) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    TempFolder temp;
    std::vector<SoundArchiveRecord> records;
    for (const char* archivePath : {"medium/music/music.snd", "medium/speech/speech.snd"}) {
        SoundArchive archive;
        ASSERT_TRUE(archive.open((fs::path(build) / archivePath).string())) << archivePath;
        while (!archive.atEnd()) {
            records.emplace_back();
            ASSERT_EQ(archive.readRecord(records.back()), ArchiveStatus::Ok) << archivePath;
        }
    }
    const std::string tone = vorbisBytes(), voice = speexBytes();
    records.push_back({kCodecVorbis, 0, 0, "tone.ogg", {tone.begin(), tone.end()}});
    records.push_back({kCodecSpeex, 0, 0, "voice.spx", {voice.begin(), voice.end()}});
    ASSERT_EQ(records.size(), 6u);

    std::uint64_t total = 0;
    for (const SoundArchiveRecord& record : records) {
        std::uint64_t estimate = 0;
        ASSERT_TRUE(recordWaveBytes(record, estimate)) << record.name;
        EXPECT_EQ(estimate, decodedSize(record, temp)) << record.name;
        total += record.name == "tone.ogg" || record.name == "voice.spx" ? 0 : estimate;
    }

    // A whole list: the plain file's bytes, and the archives' records as WAVE files.
    const std::string plain = "twelve bytes";
    temp.write("readme.txt", plain);
    fs::copy_file(fs::path(build) / "medium/music/music.snd", temp / "music.snd");
    fs::copy_file(fs::path(build) / "medium/speech/speech.snd", temp / "speech.snd");
    const auto cwd = fs::current_path();
    fs::current_path(temp.path());
    const InstallSize size =
        measureCopyList({"readme.txt", "music.snd", "SPEECH.SND", "missing.txt"});
    fs::current_path(cwd);
    EXPECT_EQ(size.files, 5);
    EXPECT_EQ(size.copiedBytes, plain.size());
    EXPECT_EQ(size.waveBytes, total);
    EXPECT_EQ(size.unmeasured, 1);

    SoundArchiveRecord broken{kCodecSpeex, 0, 0, "x.spx", {'O', 'g', 'g', 'S'}};
    std::uint64_t estimate = 0;
    EXPECT_FALSE(recordWaveBytes(broken, estimate));
    broken.codec = kCodecVorbis;
    EXPECT_FALSE(recordWaveBytes(broken, estimate));
}

// A header may promise any number of frames per packet; the estimate counts no more frames than
// a packet's bits can hold, so the space check does not ask for terabytes for a short voice.
TEST(InstallSizeTest, speexEstimateIsBoundedByWhatThePacketsHold) {
    TempFolder temp;
    const fs::path voice = temp.write("voice.spx", speexBytes());
    std::vector<OggPacket> packets = readOggPackets(voice);
    ASSERT_GT(packets.size(), 2u);
    setPacketField(packets[0], 64, 2000000000); // frames_per_packet
    const std::string edited = writeOggStream(packets, 7);
    const SoundArchiveRecord record{kCodecSpeex, 0, 0, "voice.spx", {edited.begin(), edited.end()}};
    std::uint64_t estimate = 0;
    ASSERT_TRUE(recordWaveBytes(record, estimate));
    const std::uint64_t decoded = decodedSize(record, temp);
    EXPECT_GE(estimate, decoded);
    EXPECT_LE(estimate, 44 + edited.size() * 8 / 5 * 320 * 2) << "at most one frame per 5 bits";
}

} // namespace
