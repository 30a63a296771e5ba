// The copy without its window: where it stops when asked to, and the list's order kept while the
// records of an archive convert beside one another.
#include "copy/CopyEngine.h"
#include "SoundFixtures.h"
#include "copy/SoundArchiveRecord.h"
#include "journal/InstallJournal.h"
#include "journal/JournalReading.h"
#include "journal/ResumeIndex.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>

namespace fs = std::filesystem;

namespace {

const char kLanguage[] = "[English]\n"
                         "IDS_KOPIUJE_TERAZ_PLIK=Now copying\n"
                         "IDS_E_WRITEOFILE=Cannot write\n";

class CopyEngineTest : public testing::Test {
protected:
    void SetUp() override {
        savedFolder = platform::currentFolder();
        ASSERT_TRUE(platform::changeFolder(drivePath(medium.path())));
        fs::create_directory(place / "target");
        targetFolder = drivePath(place / "target");
    }
    void TearDown() override { platform::changeFolder(savedFolder); }

    void writeScript(const std::vector<std::string>& entries) {
        medium.write("install.ini", copyListScript(kLanguage, entries));
    }

    // Copies the list; stop is asked when the status line first shows stopAt.
    CopyEngine::Result copy(const std::string& stopAt = {}) {
        CopyEngine engine(&targetFolder, SetupScript(drivePath(medium / "install.ini"), "English"));
        std::atomic<bool> stop{false};
        engine.showStatus = [&](const std::string& line) {
            if (line == stopAt)
                stop = true;
        };
        const CopyEngine::Result result = engine.copyToTheEnd(&stop);
        errorText = engine.getErrorText();
        return result;
    }

    // The target's files under a folder, sorted; the copy's own temporary files included.
    std::vector<std::string> targetFiles(const std::string& folder) const {
        std::vector<std::string> names;
        if (fs::exists(place / "target" / folder))
            for (const auto& item : fs::directory_iterator(place / "target" / folder))
                names.push_back(item.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::vector<std::string> wavNames(int from, int to) {
        std::vector<std::string> names;
        for (int i = from; i < to; ++i)
            names.push_back("r" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".wav");
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string goodRecord(int i) {
        return encodeRecord(kCodecVorbis,
                            "r" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".ogg",
                            vorbisBytes());
    }

    TempFolder place;
    TempFolder medium;
    std::string savedFolder;
    std::string targetFolder;
    std::string errorText;
};

// Wherever the stop comes, what was done before stays, nothing after it is done, and no
// temporary file of the copy is left.
TEST_F(CopyEngineTest, AStopEndsTheCopyWhereItComesAndLeavesNoPartOfAUnit) {
    std::string archive;
    for (int i = 0; i < 12; ++i)
        archive += goodRecord(i);
    medium.write("sounds/many.snd", archive);
    medium.write("first.txt", "first");
    medium.write("second.txt", "new second");
    medium.write("third/after.txt", "after");
    const struct {
        const char* stopAt;
        std::vector<std::string> plainLeft; // the target's top files afterwards
        const char* errorText;
        const char* second; // what the second entry's destination holds afterwards
        bool someRecordsMayLand;
    } cases[] = {
        {"Now copying first.txt",
         {"second.txt", "sounds"},
         "Cannot write first.txt",
         "old second",
         false},
        {"Now copying second.txt",
         {"first.txt", "second.txt", "sounds"},
         "Cannot write second.txt",
         "old second",
         false},
        {"Now copying r05.wav",
         {"first.txt", "second.txt", "sounds"},
         "Cannot write sounds\\many.snd",
         "new second",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopAt);
        removeTree(place / "target");
        fs::create_directories(place / "target/sounds");
        // An earlier installation's file at the second entry stays as it was when stopped there.
        place.write("target/second.txt", "old second");
        // The entry after the archive is copied ahead while the records convert: it must not land.
        writeScript({"first.txt", "second.txt", "sounds\\many.snd", "third\\after.txt"});
        EXPECT_EQ(copy(c.stopAt), CopyEngine::Result::Stopped);
        EXPECT_EQ(errorText, c.errorText);
        EXPECT_EQ(targetFiles(""), c.plainLeft);
        EXPECT_EQ(readWholeFile(place / "target/second.txt"), c.second);
        const std::vector<std::string> landed = targetFiles("sounds");
        // Records land in the archive's order: what landed is its beginning, and r05 and later
        // never do, since the stop came as r05 was unpacked.
        EXPECT_EQ(landed, wavNames(0, static_cast<int>(landed.size())));
        EXPECT_LE(landed.size(), c.someRecordsMayLand ? 5u : 0u);
    }
}

// A record that fails in the middle of an archive ends the copy there, although the records after
// it may have converted already beside it: none of them lands, and none leaves a file.
TEST_F(CopyEngineTest, AFailedRecordAmongConvertingOnesLetsNoLaterOneLand) {
    std::string archive;
    for (int i = 0; i < 6; ++i)
        archive += goodRecord(i);
    archive += encodeRecord(kCodecVorbis, "r06.ogg", "not a sound");
    for (int i = 7; i < 16; ++i)
        archive += goodRecord(i);
    medium.write("sounds/many.snd", archive);
    medium.write("after.txt", "after");
    medium.write("later/more.txt", "more");
    writeScript({"sounds\\many.snd", "after.txt", "later\\more.txt"});
    EXPECT_EQ(copy(), CopyEngine::Result::Failed);
    EXPECT_EQ(errorText.substr(0, errorText.find('\n')),
              "Cannot write " + targetFolder + "\\sounds\\r06.wav");
    EXPECT_NE(errorText.find("record 6 at byte"), std::string::npos) << errorText;
    EXPECT_EQ(targetFiles("sounds"), wavNames(0, 6));
    // The entries after the archive, copied ahead while it converted, leave nothing, not even
    // their folder.
    EXPECT_EQ(targetFiles(""), std::vector<std::string>{"sounds"});
}

// The plain files after an archive are copied while its records convert, and each lands in its
// place whole when the list reaches it: the same bytes, writable, and nothing else of the copy's
// own left in the target. A file the copy ahead could not take is copied in its turn.
TEST_F(CopyEngineTest, FilesCopiedAheadOfTheirTurnLandWholeInTheirPlaces) {
    std::string archive;
    for (int i = 0; i < 8; ++i)
        archive += goodRecord(i);
    medium.write("sounds/many.snd", archive);
    std::vector<std::string> entries = {"sounds\\many.snd"};
    for (int i = 0; i < 40; ++i) {
        const std::string name = "data" + std::to_string(i % 3) + "/file" + std::to_string(i) + ".dat";
        medium.write(name, std::string(1000 + 97 * i, static_cast<char>('a' + i % 26)));
        entries.push_back("data" + std::to_string(i % 3) + "\\file" + std::to_string(i) + ".dat");
    }
    // Read-only on the medium, as on a disc; one already in the target from an earlier
    // installation, which is replaced.
    fs::permissions(medium / "data0/file0.dat", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directories(place / "target/data1");
    place.write("target/data1/file1.dat", "old");
    writeScript(entries);
    ASSERT_EQ(copy(), CopyEngine::Result::Finished) << errorText;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "data" + std::to_string(i % 3) + "/file" + std::to_string(i) + ".dat";
        EXPECT_EQ(readWholeFile(place / "target" / name), readWholeFile(medium / name)) << name;
    }
    EXPECT_TRUE((fs::status(place / "target/data0/file0.dat").permissions() &
                 fs::perms::owner_write) != fs::perms::none);
    EXPECT_EQ(targetFiles(""), (std::vector<std::string>{"data0", "data1", "data2", "sounds"}));
    EXPECT_EQ(targetFiles("sounds"), wavNames(0, 8));
}

} // namespace

namespace {

// The files under a folder with their bytes and times of change, by relative path.
std::map<std::string, std::pair<std::string, fs::file_time_type>> filesWithTimes(const fs::path& root) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (item.is_regular_file())
            files[fs::relative(item.path(), root).generic_string()] = {
                readWholeFile(item.path()), fs::last_write_time(item.path())};
    return files;
}

} // namespace

// A copy stopped half-way, then run again into the same target with the journal of the first:
// what landed and is unchanged is left alone (not rewritten), what was changed or never landed
// is done, and the result is the clean copy's.
TEST_F(CopyEngineTest, ARunAfterAStopDoesOnlyWhatIsNotInPlace) {
    setenv("SETUP_JOURNAL_DIR", (place / "journals").string().c_str(), 1);
    std::string archive;
    for (int i = 0; i < 8; ++i)
        archive += goodRecord(i);
    medium.write("sounds/many.snd", archive);
    for (const char* name : {"a.txt", "b.txt", "data/c.txt", "data/d.txt"})
        medium.write(name, std::string("content of ") + name);
    writeScript({"a.txt", "b.txt", "sounds\\many.snd", "data\\c.txt", "data\\d.txt"});
    const std::string targetNative = platform::toNativePath(targetFolder);
    const auto journaledCopy = [&](const std::string& stopAt, const ResumeIndex* resume) {
        journal::open({"Demo_English", "Demo"});
        journal::runBegun({targetFolder, targetNative, "std", "", "", "", ""});
        CopyEngine engine(&targetFolder, SetupScript(drivePath(medium / "install.ini"), "English"));
        engine.resumeFrom(resume);
        std::atomic<bool> stop{false};
        engine.showStatus = [&](const std::string& line) { stop = stop || line == stopAt; };
        const CopyEngine::Result result = engine.copyToTheEnd(&stop);
        journal::close();
        return result;
    };

    ASSERT_EQ(journaledCopy("Now copying data\\c.txt", nullptr), CopyEngine::Result::Stopped);
    ASSERT_FALSE(fs::exists(place / "target/data/c.txt"));
    ASSERT_TRUE(fs::exists(place / "target/sounds/r07.wav"));
    place.write("target/b.txt", "the person changed this");
    const auto landed = filesWithTimes(place / "target");

    std::string problem;
    const auto first = journal::readJournal(journal::journalPathOf("Demo_English"), problem);
    ASSERT_TRUE(first) << problem;
    const ResumeIndex inPlace = ResumeIndex::of(*first, targetNative);
    ASSERT_EQ(journaledCopy("", &inPlace), CopyEngine::Result::Finished);
    const auto resumed = filesWithTimes(place / "target");
    for (const char* name : {"a.txt", "sounds/r00.wav", "sounds/r07.wav"})
        EXPECT_EQ(resumed.at(name).second, landed.at(name).second) << name << " was done again";
    EXPECT_EQ(resumed.at("b.txt").first, "content of b.txt") << "a changed file is done again";

    const fs::path clean = place / "clean";
    fs::create_directories(clean);
    std::string cleanFolder = drivePath(clean);
    CopyEngine engine(&cleanFolder, SetupScript(drivePath(medium / "install.ini"), "English"));
    ASSERT_EQ(engine.copyToTheEnd(), CopyEngine::Result::Finished);
    const auto wanted = filesWithTimes(clean);
    ASSERT_EQ(resumed.size(), wanted.size());
    for (const auto& [name, file] : wanted)
        EXPECT_EQ(resumed.at(name).first, file.first) << name;
    unsetenv("SETUP_JOURNAL_DIR");
}
