#include "journal/InstallJournal.h"
#include "journal/InstalledFiles.h"
#include "journal/JournalLine.h"
#include "journal/JournalReading.h"
#include "journal/JournalRecords.h"
#include "journal/ResumeIndex.h"
#include "journal/Sha256.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

std::string sha256Of(const std::string& bytes) {
    Sha256 sum;
    // In uneven pieces, so that blocks are filled across calls.
    for (std::size_t at = 0; at < bytes.size(); at += 7)
        sum.add(bytes.data() + at, std::min<std::size_t>(7, bytes.size() - at));
    return sum.hex();
}

TEST(Sha256, givesThePublishedDigests) {
    const struct {
        std::string bytes;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& each : cases)
        EXPECT_EQ(sha256Of(each.bytes), each.digest) << each.bytes.size() << " bytes";
}

TEST(Sha256, digestsAFileWholeAndRefusesWhatIsNoFile) {
    const TempFolder temp;
    const std::string bytes(200000, 'x');
    const auto digest = digestOfNativeFile(temp.write("f.bin", bytes).string());
    ASSERT_TRUE(digest);
    EXPECT_EQ(digest->bytes, bytes.size());
    EXPECT_EQ(digest->sha256, sha256Of(bytes));
    EXPECT_FALSE(digestOfNativeFile((temp / "missing").string()));
    EXPECT_FALSE(digestOfNativeFile(temp.path().string())) << "a folder";
}

TEST(JournalLine, keepsEveryFieldWhateverItHolds) {
    const journal::Line line{"file",
                             {"C:\\Games\\Demo\\a b.txt", "tab\there", "line\nbreak", "100%",
                              "%41 stays", "", "zażółć"}};
    const std::string text = journal::formatLine(line);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find("C:\\Games\\Demo\\a b.txt\t"), std::string::npos) << "readable as it is";
    const auto back = journal::parseLine(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, line.kind);
    EXPECT_EQ(back->fields, line.fields);
    EXPECT_FALSE(journal::parseLine("# a comment\n"));
    EXPECT_FALSE(journal::parseLine("\n"));
}

TEST(JournalReading, takesWholeLinesOfItsOwnProductOnly) {
    const TempFolder temp;
    const std::string product = "product\tDemo_English\tDemo\n";
    const struct {
        const char* name;
        std::string file;
        std::string text;
        int lines; // -1: refused
    } cases[] = {
        {"whole", "Demo_English.journal", product + "folder\t/a\nfolder\t/b\n", 2},
        // A run killed while it wrote a line leaves that line without its end.
        {"cut short", "Demo_English.journal", product + "folder\t/a\nfile\t/a/x\t12", 1},
        {"no product line", "Demo_English.journal", "folder\t/a\n", -1},
        {"another product's", "Demo_English.journal", "product\tOther_English\tOther\n", -1},
        {"not a journal", "Demo_English.journal", "\x89PNG\r\n", -1},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const auto path = temp.write(std::string(each.name) + "/" + each.file, each.text);
        std::string problem;
        const auto read = journal::readJournal(path.string(), problem);
        if (each.lines < 0) {
            EXPECT_FALSE(read);
            EXPECT_NE(problem.find(path.string()), std::string::npos) << problem;
            continue;
        }
        ASSERT_TRUE(read) << problem;
        EXPECT_EQ(read->product.displayName, "Demo");
        EXPECT_EQ(static_cast<int>(read->lines.size()), each.lines);
    }
}

TEST(InstallJournal, writesEachLineAtOnceAndFindsTheProductByName) {
    const TempFolder temp;
    setenv("SETUP_JOURNAL_DIR", (temp / "journals").string().c_str(), 1);
    ASSERT_TRUE(journal::open({"Demo_English", "Demo Game"}));
    journal::folderMade("/games/demo");
    // Read while the journal is still open, as after a kill.
    std::string problem;
    const auto early = journal::readJournal(journal::openPath(), problem);
    ASSERT_TRUE(early) << problem;
    EXPECT_EQ(early->lines.size(), 1u);
    journal::runEnded("installed");
    journal::close();
    std::vector<std::string> problems;
    for (const char* name : {"Demo Game", "demo game", "Demo_English"})
        EXPECT_EQ(journal::findJournals(name, problems).size(), 1u) << name;
    EXPECT_TRUE(journal::findJournals("Other", problems).empty());
    EXPECT_TRUE(problems.empty());
    unsetenv("SETUP_JOURNAL_DIR");
}

} // namespace


namespace {

// A file listed by an earlier run into the target is in place only while it and its source are
// what they were; verify names what is not, and given the medium, a source that changed there.
TEST(ResumeAndVerify, goByTheFileAndItsSourceAsTheJournalListsThem) {
    const TempFolder temp;
    const auto medium = temp / "medium";
    const auto target = temp / "target";
    const std::string source = temp.write("medium/a.dat", "from the disc").string();
    const std::string placed = temp.write("target/a.dat", "from the disc").string();
    const std::string other = temp.write("target/b.dat", "b").string();
    platform::FileStamp stamp;
    ASSERT_TRUE(platform::nativeFileStamp(source, stamp));
    const auto digestOf = [](const std::string& path) { return *digestOfNativeFile(path); };
    const auto fileLine = [&](const std::string& path, const std::string& from) {
        const FileDigest digest = digestOf(path);
        return journal::Line{journal::kind::kFile,
                             {path, std::to_string(digest.bytes), digest.sha256, "copied", from,
                              std::to_string(stamp.bytes), std::to_string(stamp.changed), "-1"}};
    };
    journal::Journal listed;
    listed.lines = {{journal::kind::kRun, {"", "C:\\T", target.string(), "std", medium.string()}},
                    fileLine(placed, source), fileLine(other, source)};

    const ResumeIndex index = ResumeIndex::of(listed, target.string());
    EXPECT_TRUE(index.inPlace(placed, source));
    EXPECT_FALSE(index.inPlace(placed, source, 3)) << "another record of an archive";
    EXPECT_FALSE(ResumeIndex::of(listed, (temp / "elsewhere").string()).inPlace(placed, source));
    EXPECT_TRUE(checkInstalledFiles(listed, "").empty());

    temp.write("target/b.dat", "changed");
    const auto changed = checkInstalledFiles(listed, "");
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].kind, FileFinding::Kind::Changed);
    EXPECT_EQ(changed[0].path, other);

    // The disc's file is another now: not in place, and not as on the medium.
    temp.write("medium/a.dat", "another disc!");
    EXPECT_FALSE(index.inPlace(placed, source));
    const auto againstMedium = checkInstalledFiles(listed, medium.string());
    ASSERT_EQ(againstMedium.size(), 2u);
    EXPECT_EQ(againstMedium[0].kind, FileFinding::Kind::MediumDiffers);
    fs::remove(placed);
    EXPECT_EQ(checkInstalledFiles(listed, "")[0].kind, FileFinding::Kind::Missing);
}

} // namespace
