#include "copy/SoundArchive.h"
#include "SoundFixtures.h"
#include "copy/CopyPaths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

struct BrokenCase {
    const char* what;
    std::string bytes;
    ArchiveStatus expected;
};

// Reads every record of the archive; the status of the first failure, or Ok.
ArchiveStatus readAll(const std::string& bytes, int& records) {
    TempFolder temp;
    const auto path = temp.write("a.snd", bytes);
    SoundArchive archive;
    EXPECT_TRUE(archive.open(path.string()));
    EXPECT_EQ(archive.size(), static_cast<long long>(bytes.size()));
    records = 0;
    while (!archive.atEnd()) {
        SoundArchiveRecord record;
        const ArchiveStatus status = archive.readRecord(record);
        if (status != ArchiveStatus::Ok)
            return status;
        EXPECT_EQ(record.data.size(), record.dataLength);
        ++records;
    }
    return ArchiveStatus::Ok;
}

TEST(SoundArchiveTest, ReadsBackToBackRecordsOfAnyCodec) {
    // 255 bytes is the longest name a file system takes.
    const std::string bytes = encodeRecord(0, "Intro.OGG", "vorbis bytes") +
                              encodeRecord(1, "hello.spx", "") + encodeRecord(7, "notes", "x") +
                              encodeRecord(0, std::string(251, 'n') + ".ogg", "y");
    int records = 0;
    EXPECT_EQ(readAll(bytes, records), ArchiveStatus::Ok);
    EXPECT_EQ(records, 4);
    EXPECT_EQ(readAll("", records), ArchiveStatus::Ok);
    EXPECT_EQ(records, 0);
}

TEST(SoundArchiveTest, BrokenRecordsAreRefusedBeforeAnythingIsAllocated) {
    const std::string good = encodeRecord(0, "first.ogg", "data");
    const BrokenCase cases[] = {
        {"short header", std::string("\x01\x00\x00", 3), ArchiveStatus::ShortHeader},
        {"name over 259", recordHeader(0, 0, 260) + std::string(260, 'n'),
         ArchiveStatus::NameTooLong},
        {"name past end", recordHeader(0, 0, 50) + "ab", ArchiveStatus::NamePastEnd},
        {"data past end", recordHeader(0, 0xFFFFFFF0u, 5) + "a.ogg", ArchiveStatus::DataPastEnd},
        {"data one past end", recordHeader(0, 5, 5) + "a.ogg" + "1234", ArchiveStatus::DataPastEnd},
        {"empty name", encodeRecord(0, "", "d"), ArchiveStatus::BadName},
        {"backslash", encodeRecord(0, "..\\x.ogg", "d"), ArchiveStatus::BadName},
        {"slash", encodeRecord(1, "sub/x.spx", "d"), ArchiveStatus::BadName},
        {"drive", encodeRecord(0, "c:x.ogg", "d"), ArchiveStatus::BadName},
        {"dot", encodeRecord(5, ".", "d"), ArchiveStatus::BadName},
        {"dot dot", encodeRecord(5, "..", "d"), ArchiveStatus::BadName},
        {"zero byte", encodeRecord(0, std::string("a\0.ogg", 6), "d"), ArchiveStatus::BadName},
        {"vorbis named .spx", encodeRecord(0, "x.spx", "d"), ArchiveStatus::MissingExtension},
        {"speex named .wav", encodeRecord(1, "x.wav", "d"), ArchiveStatus::MissingExtension},
        {"no extension", encodeRecord(0, "music", "d"), ArchiveStatus::MissingExtension},
        {"name of 256", encodeRecord(0, std::string(252, 'n') + ".ogg", "d"),
         ArchiveStatus::NameTooLongToWrite},
        {"name of 259", encodeRecord(1, std::string(255, 'n') + ".spx", "d"),
         ArchiveStatus::NameTooLongToWrite},
        {"device", encodeRecord(0, "con.ogg", "d"), ArchiveStatus::DeviceName},
        {"device with blank", encodeRecord(1, "Com1 .spx", "d"), ArchiveStatus::DeviceName},
        {"device, unknown codec", encodeRecord(7, "LPT9", "d"), ArchiveStatus::DeviceName},
        {"star", encodeRecord(0, "a*.ogg", "d"), ArchiveStatus::ForbiddenCharacter},
        {"quote", encodeRecord(0, "\"a\".ogg", "d"), ArchiveStatus::ForbiddenCharacter},
        {"control character", encodeRecord(0, "a\nb.ogg", "d"), ArchiveStatus::ForbiddenCharacter},
    };
    for (const auto& c : cases) {
        int records = 0;
        EXPECT_EQ(readAll(good + c.bytes, records), c.expected) << c.what;
        EXPECT_EQ(records, 1) << c.what;
    }
}

TEST(SoundArchiveTest, MissingArchiveDoesNotOpen) {
    SoundArchive archive;
    EXPECT_FALSE(archive.open("/nonexistent/folder/x.snd"));
    SoundArchiveRecord record;
    EXPECT_EQ(archive.readRecord(record), ArchiveStatus::ShortHeader);
}

TEST(CopyPathsTest, EntriesThatLeaveTheTargetAreRecognised) {
    for (const char* inside : {"readme.txt", "data\\intro.bmp", "a..b\\c", "", "..x"})
        EXPECT_TRUE(isEntryInsideTarget(inside)) << inside;
    for (const char* outside : {"..\\x.txt", "data\\..\\..\\x", "..", "\\root.txt", "/etc/passwd",
                                "C:\\x.txt", "c:x.txt", "data/../../x", "data\\.."})
        EXPECT_FALSE(isEntryInsideTarget(outside)) << outside;
}

TEST(CopyPathsTest, RecordNamesBecomeWaveNames) {
    EXPECT_EQ(recordDisplayName("Intro.OGG"), "intro.wav");
    EXPECT_EQ(recordDisplayName("a.spx.ogg"), "a.wav.wav");
    EXPECT_EQ(recordOutputPath("C:\\Games\\Sounds\\", "Intro.OGG", ".ogg"),
              "C:\\Games\\Sounds\\intro.wav");
    // The folder keeps its name even when it looks like a sound file's.
    EXPECT_EQ(recordOutputPath("C:\\My.ogg\\", "a.spx.ogg", ".ogg"), "C:\\My.ogg\\a.spx.wav");
    EXPECT_EQ(folderPrefix("sounds\\speech.snd"), "sounds\\");
    EXPECT_EQ(folderPrefix("speech.snd"), "");
}

} // namespace
