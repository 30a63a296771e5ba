#include "platform/posix/machine/FolderNames.h"
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

// Windows matches every letter without regard to case, not only ASCII, by the one-to-one upper
// case: a script written with "żółw.dat" finds the medium's "ŻÓŁW.DAT", in small and large folders.
TEST(FolderNamesTest, EveryLetterMatchesWithoutRegardToCase) {
    TempFolder temp;
    fillFolder(temp, "big", "f");
    const struct {
        const char* onDisk;
        const char* written;
        bool found;
    } names[] = {
        {"ŻÓŁW.DAT", "żółw.dat", true},      {"Ęę Ąą.txt", "ĘĘ ĄĄ.TXT", true},
        {"ΣΟΦΊΑ.ini", "σοφία.INI", true},    {"Ärger", "ärger", true},
        {"STRASSE.dat", "straße.dat", false}, {"ŻÓŁW.DAT", "zolw.dat", false},
    };
    for (const char* folder : {"small", "big"}) {
        for (const auto& name : names) {
            temp.write(std::string(folder) + "/" + name.onDisk, "");
            const std::string found = entryIgnoringCase((temp / folder).string(), name.written);
            EXPECT_EQ(found, name.found ? name.onDisk : "") << folder << ": " << name.written;
        }
    }
    // Bytes that are not UTF-8 stand for themselves.
    temp.write("small/\xB3\xF3\xBF.dat", "");
    EXPECT_EQ(entryIgnoringCase((temp / "small").string(), "\xB3\xF3\xBF.DAT"), "\xB3\xF3\xBF.dat");
}
