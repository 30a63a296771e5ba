#include "platform/posix/FolderNames.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using platform::posix::entryIgnoringCase;

namespace {

// Large enough to be kept between looks and followed through the kernel's notices.
void fillFolder(const TempFolder& temp, const std::string& folder, const std::string& prefix) {
    for (int i = 0; i < 300; ++i)
        temp.write(folder + "/" + prefix + std::to_string(i) + ".dat", "");
}

} // namespace

TEST(FolderNamesTest, AKeptFolderFollowsEveryChangeMadeInIt) {
    TempFolder temp;
    fillFolder(temp, "big", "f");
    const std::string folder = (temp / "big").string();
    EXPECT_EQ(entryIgnoringCase(folder, "F5.DAT"), "f5.dat");

    temp.write("big/NEW.txt", "");
    EXPECT_EQ(entryIgnoringCase(folder, "new.TXT"), "NEW.txt");
    std::filesystem::rename(temp / "big/NEW.txt", temp / "big/Moved.txt");
    EXPECT_EQ(entryIgnoringCase(folder, "new.txt"), "");
    EXPECT_EQ(entryIgnoringCase(folder, "MOVED.TXT"), "Moved.txt");
    std::filesystem::remove(temp / "big/f5.dat");
    EXPECT_EQ(entryIgnoringCase(folder, "F5.DAT"), "");

    // Another folder put in its place is read afresh.
    std::filesystem::rename(temp / "big", temp / "old");
    fillFolder(temp, "big", "g");
    EXPECT_EQ(entryIgnoringCase(folder, "F6.DAT"), "");
    EXPECT_EQ(entryIgnoringCase(folder, "G6.DAT"), "g6.dat");

    EXPECT_EQ(entryIgnoringCase((temp / "missing").string(), "x"), "");
}
