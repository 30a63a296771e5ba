#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"
#ifndef _WIN32
#include "support/DriveTableFile.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// The same file services on every system: on POSIX through a drive c: for the test's folder,
// on Windows in the folder itself.
class FilesTest : public testing::Test {
protected:
    TempFolder folder;
#ifdef _WIN32
    std::string at(const std::string& relative) const {
        return platform::toDrivePath(folder.path().string()) + "\\" + relative;
    }
#else
    DriveTableFile table{folder, "c:|fixed|" + folder.path().string() + "\n"};
    std::string at(const std::string& relative) const { return "C:\\" + relative; }
#endif
};

TEST_F(FilesTest, readOnlyDestinationFailsTheCopyEvenForTheAdministrator) {
    folder.write("source.txt", "new");
    const auto target = folder.write("target.txt", "old");
    ASSERT_TRUE(platform::setFileAttributes(at("target.txt"), platform::kAttributeReadOnly));
    EXPECT_EQ(platform::fileAttributes(at("target.txt")) & platform::kAttributeReadOnly,
              platform::kAttributeReadOnly);
    EXPECT_FALSE(platform::copyFile(at("source.txt"), at("target.txt"), false));
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_FALSE(platform::deleteFile(at("target.txt")));
    EXPECT_EQ(platform::openFile(at("target.txt"), "wb"), nullptr);

    ASSERT_TRUE(platform::setFileAttributes(at("target.txt"), platform::kAttributeArchive));
    EXPECT_TRUE(platform::copyFile(at("source.txt"), at("TARGET.TXT"), false));
    EXPECT_EQ(readWholeFile(target), "new");
}

#ifdef _WIN32
// Windows refuses to copy over a hidden file and to create a file over a hidden or system one;
// Wine would let both through. POSIX has no such attributes to set.
TEST_F(FilesTest, hiddenDestinationFailsTheCopyAndSystemFilesAreNotCreatedOver) {
    folder.write("source.txt", "new");
    const auto hidden = folder.write("hidden.txt", "old");
    const auto system = folder.write("system.txt", "old");
    ASSERT_TRUE(platform::setFileAttributes(at("hidden.txt"), platform::kAttributeHidden));
    ASSERT_TRUE(platform::setFileAttributes(at("system.txt"), platform::kAttributeSystem));
    EXPECT_FALSE(platform::copyFile(at("source.txt"), at("hidden.txt"), false));
    for (const char* name : {"hidden.txt", "system.txt"})
        EXPECT_EQ(platform::openFile(at(name), "wb"), nullptr) << name;
    EXPECT_EQ(readWholeFile(hidden), "old");
    EXPECT_EQ(readWholeFile(system), "old");
    if (std::FILE* appended = platform::openFile(at("hidden.txt"), "ab"))
        std::fclose(appended); // appending is no new file: the system allows it
    else
        ADD_FAILURE() << "appending to a hidden file was refused";
}
#endif

// The log named on the command line: a name in any script lands under that very name, and only
// a regular file is written.
TEST_F(FilesTest, nativeFilesAreCreatedUnderTheirOwnNameAndOnlyAsRegularFiles) {
    const std::filesystem::path log = folder.path() / std::filesystem::path(u8"dziennik-łódź.log");
    const std::u8string name = log.u8string();
    std::FILE* file = platform::createNativeFile(std::string(name.begin(), name.end()));
    ASSERT_NE(file, nullptr);
    std::fputs("run\n", file);
    std::fclose(file);
    EXPECT_EQ(readWholeFile(log), "run\n");
    const std::u8string base = folder.path().u8string();
    EXPECT_EQ(platform::createNativeFile(std::string(base.begin(), base.end())), nullptr);
#ifndef _WIN32
    const auto fifo = folder.path() / "log.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platform::createNativeFile(fifo.string()), nullptr); // and does not wait for a reader
#endif
}

TEST_F(FilesTest, copyKeepsTheSourceReadOnlyStateAndHonoursFailIfExists) {
    const auto source = folder.write("cd/file.dat", "data");
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    EXPECT_TRUE(platform::copyFile(at("cd\\file.dat"), at("copy.dat"), true));
    EXPECT_NE(platform::fileAttributes(at("copy.dat")) & platform::kAttributeReadOnly, 0u);
    EXPECT_FALSE(platform::copyFile(at("cd\\file.dat"), at("copy.dat"), true));
    EXPECT_FALSE(platform::copyFile(at("cd\\missing.dat"), at("other.dat"), false));
    EXPECT_FALSE(platform::fileExists(at("other.dat")));
}

TEST_F(FilesTest, makeFolderTellsCreatedExistingAndFailed) {
    EXPECT_EQ(platform::makeFolder(at("Games")), platform::MakeFolderResult::Created);
    EXPECT_EQ(platform::makeFolder(at("GAMES")), platform::MakeFolderResult::AlreadyExists);
    EXPECT_EQ(platform::makeFolder(at("missing\\deeper")), platform::MakeFolderResult::Failed);
    EXPECT_EQ(platform::makeFolder("q:\\x"), platform::MakeFolderResult::Failed);
}

TEST_F(FilesTest, searchListsEntriesWithAttributes) {
    folder.write("tree/a.txt", "a");
    folder.write("tree/B.TXT", "b");
    folder.write("tree/sub/c.txt", "c");
    folder.write("tree/.hidden/d.txt", "d");
#ifdef _WIN32
    // A leading dot hides a name on POSIX only; on Windows the attribute does.
    ASSERT_TRUE(platform::setFileAttributes(at("tree\\.hidden"), platform::kAttributeHidden));
#endif
    std::vector<platform::FoundFile> found;
    ASSERT_TRUE(platform::findFiles(at("TREE\\*.*"), found));
    auto has = [&](const std::string& name, std::uint32_t bits) {
        return std::any_of(found.begin(), found.end(), [&](const platform::FoundFile& file) {
            return file.name == name && (file.attributes & bits) == bits;
        });
    };
    EXPECT_TRUE(has(".", platform::kAttributeDirectory));
    EXPECT_TRUE(has("..", platform::kAttributeDirectory));
    EXPECT_TRUE(has("a.txt", platform::kAttributeArchive));
    EXPECT_TRUE(has("sub", platform::kAttributeDirectory));
    EXPECT_TRUE(has(".hidden", platform::kAttributeDirectory | platform::kAttributeHidden));
    ASSERT_TRUE(platform::findFiles(at("tree\\b.*"), found));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "B.TXT");
    EXPECT_FALSE(platform::findFiles(at("nowhere\\*"), found));
}

TEST_F(FilesTest, currentFolderIsADrivePathAndChanges) {
    const auto saved = std::filesystem::current_path();
    std::filesystem::create_directories(folder / "Work Folder");
    ASSERT_TRUE(platform::changeFolder(at("work folder")));
#ifdef _WIN32
    // Windows keeps the spelling that the folder was entered with.
    EXPECT_EQ(platform::currentFolder(), at("work folder"));
#else
    EXPECT_EQ(platform::currentFolder(), at("Work Folder"));
#endif
    EXPECT_FALSE(platform::changeFolder(at("missing")));
    std::filesystem::current_path(saved);
}

} // namespace
