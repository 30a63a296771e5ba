// The WAVE sizes told from the Ogg streams must be what the transcoder writes, for the demo's
// archives (stereo Vorbis, wideband Speex) and the test tones (mono Vorbis, narrowband Speex).
#include "copy/InstallSize.h"
#include "SoundFixtures.h"
#include "audio/AudioTranscoder.h"
#include "audio/OggPackets.h"
#include "audio/WaveSize.h"
#include "copy/SoundArchive.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

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

// A header may promise up to 64 frames per packet; the estimate counts no more frames than a
// packet's bits can hold, so the space check does not ask for many times what a voice takes.
TEST(InstallSizeTest, speexEstimateIsBoundedByWhatThePacketsHold) {
    TempFolder temp;
    const fs::path voice = temp.write("voice.spx", speexBytes());
    std::vector<OggPacket> packets = readOggPackets(voice);
    ASSERT_GT(packets.size(), 2u);
    setPacketField(packets[0], 64, 64); // frames_per_packet
    const std::string edited = writeOggStream(packets, 7);
    const SoundArchiveRecord record{kCodecSpeex, 0, 0, "voice.spx", {edited.begin(), edited.end()}};
    std::uint64_t estimate = 0;
    ASSERT_TRUE(recordWaveBytes(record, estimate));
    const std::uint64_t decoded = decodedSize(record, temp);
    EXPECT_GE(estimate, decoded);
    EXPECT_LE(estimate, 44 + edited.size() * 8 / 5 * 320 * 2) << "at most one frame per 5 bits";
}

// A source handing the bytes over in pieces of the size given.
WavePieceSource inPieces(const std::string& bytes, std::size_t piece) {
    return [&bytes, piece](const WavePieceTaker& take) {
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            if (!take(reinterpret_cast<const unsigned char*>(bytes.data()) + at,
                      std::min(piece, bytes.size() - at)))
                return false;
        return true;
    };
}

std::optional<std::uint64_t> streamedBytes(std::uint32_t codec, const WavePieceSource& source) {
    return codec == kCodecVorbis ? vorbisWaveBytes(source) : speexWaveBytes(source);
}

// Pieces of any size, pages and packets split across them, give the in-memory measure's number;
// a source that fails part way gives none.
TEST(InstallSizeTest, streamedMeasureEqualsTheInMemoryOne) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    struct Sound {
        std::string name;
        std::uint32_t codec;
        std::string bytes;
        bool measurable = true;
    };
    std::vector<Sound> sounds = {{"tone.ogg", kCodecVorbis, vorbisBytes()},
                                 {"long.ogg", kCodecVorbis, longVorbisBytes()},
                                 {"noise.ogg", kCodecVorbis, largeVorbisBytes()},
                                 {"chain.ogg", kCodecVorbis, vorbisBytes() + largeVorbisBytes()},
                                 {"voice.spx", kCodecSpeex, speexBytes()},
                                 {"voice.ogg", kCodecVorbis, speexBytes(), false},
                                 {"tone.spx", kCodecSpeex, vorbisBytes(), false}};
    SoundArchive demo;
    ASSERT_TRUE(demo.open((fs::path(build) / "medium/speech/speech.snd").string()));
    SoundArchiveRecord record;
    ASSERT_EQ(demo.readRecord(record), ArchiveStatus::Ok);
    sounds.push_back({record.name, record.codec, {record.data.begin(), record.data.end()}, true});
    ASSERT_GT(largeVorbisBytes().size(), SoundArchive::kPieceBytes) << "a stream of many pieces";

    for (const Sound& sound : sounds) {
        const auto* data = reinterpret_cast<const unsigned char*>(sound.bytes.data());
        const std::optional<std::uint64_t> whole = sound.codec == kCodecVorbis
                                                       ? vorbisWaveBytes(data, sound.bytes.size())
                                                       : speexWaveBytes(data, sound.bytes.size());
        EXPECT_EQ(whole.has_value(), sound.measurable) << sound.name;
        for (const std::size_t piece :
             {std::size_t{1}, std::size_t{4093}, SoundArchive::kPieceBytes}) {
            if (piece == 1 && sound.bytes.size() > 100000)
                continue; // byte by byte only where it stays quick
            EXPECT_EQ(streamedBytes(sound.codec, inPieces(sound.bytes, piece)), whole)
                << sound.name << " in pieces of " << piece;
        }
        const WavePieceSource failing = [&sound](const WavePieceTaker& take) {
            take(reinterpret_cast<const unsigned char*>(sound.bytes.data()), sound.bytes.size());
            return false;
        };
        EXPECT_EQ(streamedBytes(sound.codec, failing), std::nullopt) << sound.name;
    }
    const std::uint64_t tone = *vorbisWaveBytes(inPieces(vorbisBytes(), 4093));
    const std::uint64_t longer = *vorbisWaveBytes(inPieces(largeVorbisBytes(), 4093));
    EXPECT_EQ(*vorbisWaveBytes(inPieces(vorbisBytes() + largeVorbisBytes(), 4093)),
              tone + longer - 44)
        << "one header for the links together";
}

// Records measured as they are read from the archive, larger than one piece and of a codec with
// nothing to convert among them: the numbers of the records held whole, and the archive read
// to its end.
TEST(InstallSizeTest, recordsAreMeasuredWhileTheyAreRead) {
    TempFolder temp;
    const std::string other(3 * SoundArchive::kPieceBytes + 5, 'x');
    const fs::path path =
        temp.write("sounds.snd", encodeRecord(kCodecVorbis, "noise.ogg", largeVorbisBytes()) +
                                     encodeRecord(2, "notes.bin", other) +
                                     encodeRecord(kCodecSpeex, "voice.spx", speexBytes()) +
                                     encodeRecord(kCodecVorbis, "bad.ogg", "not ogg"));
    SoundArchive whole, streamed;
    ASSERT_TRUE(whole.open(path.string()));
    ASSERT_TRUE(streamed.open(path.string()));
    int records = 0;
    while (!whole.atEnd()) {
        SoundArchiveRecord held, header;
        ASSERT_EQ(whole.readRecord(held), ArchiveStatus::Ok);
        ASSERT_EQ(streamed.readRecordHeader(header), ArchiveStatus::Ok);
        std::uint64_t expected = 0;
        const bool measured = recordWaveBytes(held, expected);
        const StreamedWaveBytes got = recordWaveBytes(streamed, header.codec);
        EXPECT_EQ(got.status, ArchiveStatus::Ok) << held.name;
        EXPECT_EQ(got.bytes, measured ? std::optional<std::uint64_t>(expected) : std::nullopt)
            << held.name;
        EXPECT_EQ(streamed.position(), whole.position()) << held.name;
        ++records;
    }
    EXPECT_EQ(records, 4);
    EXPECT_TRUE(streamed.atEnd());
}

// A Speex packet that runs on for megabytes would be gathered whole: the measure gives up on it
// instead, with no number.
TEST(InstallSizeTest, speexPacketOfMegabytesIsNotGathered) {
    TempFolder temp;
    std::vector<OggPacket> packets = readOggPackets(temp.write("voice.spx", speexBytes()));
    ASSERT_GT(packets.size(), 2u);
    packets.resize(3);
    packets[2].bytes.assign(20 << 20, '\x55');
    packets[2].endOfStream = true;
    const std::string edited = writeOggStream(packets, 7);
    EXPECT_EQ(speexWaveBytes(inPieces(edited, SoundArchive::kPieceBytes)), std::nullopt);
}

} // namespace
