#include "platform/Files.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class FilesTest : public testing::Test {
protected:
    TempFolder folder;
    DriveTableFile table{folder, "c:|fixed|" + folder.path().string() + "\n"};
};

TEST_F(FilesTest, readOnlyDestinationFailsTheCopyEvenForTheAdministrator) {
    folder.write("source.txt", "new");
    const auto target = folder.write("target.txt", "old");
    ASSERT_TRUE(platform::setFileAttributes("c:\\target.txt", platform::kAttributeReadOnly));
    EXPECT_EQ(platform::fileAttributes("c:\\target.txt") & platform::kAttributeReadOnly,
              platform::kAttributeReadOnly);
    EXPECT_FALSE(platform::copyFile("c:\\source.txt", "c:\\target.txt", false));
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_FALSE(platform::deleteFile("c:\\target.txt"));
    EXPECT_EQ(platform::openFile("c:\\target.txt", "wb"), nullptr);

    ASSERT_TRUE(platform::setFileAttributes("c:\\target.txt", platform::kAttributeArchive));
    EXPECT_TRUE(platform::copyFile("c:\\source.txt", "c:\\TARGET.TXT", false));
    EXPECT_EQ(readWholeFile(target), "new");
}

TEST_F(FilesTest, copyKeepsTheSourceReadOnlyStateAndHonoursFailIfExists) {
    const auto source = folder.write("cd/file.dat", "data");
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    EXPECT_TRUE(platform::copyFile("c:\\cd\\file.dat", "c:\\copy.dat", true));
    EXPECT_NE(platform::fileAttributes("c:\\copy.dat") & platform::kAttributeReadOnly, 0u);
    EXPECT_FALSE(platform::copyFile("c:\\cd\\file.dat", "c:\\copy.dat", true));
    EXPECT_FALSE(platform::copyFile("c:\\cd\\missing.dat", "c:\\other.dat", false));
    EXPECT_FALSE(platform::fileExists("c:\\other.dat"));
}

TEST_F(FilesTest, makeFolderTellsCreatedExistingAndFailed) {
    EXPECT_EQ(platform::makeFolder("c:\\Games"), platform::MakeFolderResult::Created);
    EXPECT_EQ(platform::makeFolder("C:\\GAMES"), platform::MakeFolderResult::AlreadyExists);
    EXPECT_EQ(platform::makeFolder("c:\\missing\\deeper"), platform::MakeFolderResult::Failed);
    EXPECT_EQ(platform::makeFolder("q:\\x"), platform::MakeFolderResult::Failed);
}

TEST_F(FilesTest, searchListsEntriesWithAttributes) {
    folder.write("tree/a.txt", "a");
    folder.write("tree/B.TXT", "b");
    folder.write("tree/sub/c.txt", "c");
    folder.write("tree/.hidden/d.txt", "d");
    std::vector<platform::FoundFile> found;
    ASSERT_TRUE(platform::findFiles("c:\\TREE\\*.*", found));
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
    ASSERT_TRUE(platform::findFiles("c:\\tree\\b.*", found));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "B.TXT");
    EXPECT_FALSE(platform::findFiles("c:\\nowhere\\*", found));
}

TEST_F(FilesTest, currentFolderIsADrivePathAndChanges) {
    const auto saved = std::filesystem::current_path();
    std::filesystem::create_directories(folder / "Work Folder");
    ASSERT_TRUE(platform::changeFolder("c:\\work folder"));
    EXPECT_EQ(platform::currentFolder(), "C:\\Work Folder");
    EXPECT_FALSE(platform::changeFolder("c:\\missing"));
    std::filesystem::current_path(saved);
}

} // namespace
