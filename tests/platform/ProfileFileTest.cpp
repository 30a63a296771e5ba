#include "platform/ProfileFile.h"
#include "platform/BoundedRead.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;
using platform::FileReadResult;
using platform::readProfileString;
using platform::writeProfileString;

class ProfileFileTest : public testing::Test {
protected:
    TempFolder folder;
    DriveTableFile table{folder, "c:|fixed|" + folder.path().string() + "\nd:|fixed|/dev\n"};
    const fs::path script = folder / "install.ini";
};

TEST_F(ProfileFileTest, onlyReadableRegularFilesWithinTheBoundAreRead) {
    folder.write("small.txt", "12345");
    folder.write("large.txt", "123456");
    fs::create_directory(folder / "folder.txt");
    ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0644), 0); // no writer: must not wait
    fs::permissions(folder.write("writeonly.txt", "12345"), fs::perms::owner_write);
    const struct {
        const char* path;
        FileReadResult result;
        const char* bytes;
    } cases[] = {
        {"c:\\small.txt", FileReadResult::Read, "12345"},
        {"c:\\large.txt", FileReadResult::TooLarge, ""},
        {"c:\\missing.txt", FileReadResult::Missing, ""},
        {"c:\\folder.txt", FileReadResult::Unreadable, ""},
        {"c:\\pipe.txt", FileReadResult::Unreadable, ""},
        {"c:\\writeonly.txt", FileReadResult::Unreadable, ""},
        {"d:\\zero", FileReadResult::Unreadable, ""},
    };
    for (const auto& c : cases) {
        std::string bytes = "left over";
        EXPECT_EQ(platform::readRegularFile(c.path, 5, bytes), c.result) << c.path;
        EXPECT_EQ(bytes, c.bytes) << c.path;
    }
}

// A folder in the file's place, a file its owner may write but not read (for the administrator
// too, as the permissions stand for the file's attributes) and one beyond any script's size.
TEST_F(ProfileFileTest, whatCannotBeReadReadsEmptyAndIsNeverWritten) {
    const std::string content = "[Option]\r\nLanguage=Polski\r\n";
    fs::create_directory(folder / "folder.ini");
    const auto writeOnly = folder.write("writeonly.ini", content);
    fs::permissions(writeOnly, fs::perms::owner_write);
    const auto huge = folder.write("huge.ini", content);
    fs::resize_file(huge, (64u << 20) + 1);
    for (const char* name : {"folder.ini", "writeonly.ini", "huge.ini", "missing\\x.ini"}) {
        const std::string path = std::string("c:\\") + name;
        EXPECT_EQ(readProfileString(path, "Option", "Language"), "") << name;
        EXPECT_FALSE(writeProfileString(path, "Option", "Language", "English")) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder / "folder.ini"));
    EXPECT_EQ(fs::status(writeOnly).permissions(), fs::perms::owner_write);
    fs::permissions(writeOnly, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(readWholeFile(writeOnly), content);
    EXPECT_EQ(fs::file_size(huge), (64u << 20) + 1);
}

// A medium listing 100,000 files needs a script of about 5 MiB.
TEST_F(ProfileFileTest, aScriptOfSeveralMebibytesReads) {
    folder.write("install.ini",
                 "[Files]\r\n; " + std::string(6u << 20, 'x') + "\r\n99999=data\\level.dat\r\n");
    EXPECT_EQ(readProfileString("c:\\install.ini", "files", "99999"), "data\\level.dat");
}

// A parsed copy is kept only for a file last changed a moment before it was read.
void letSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

TEST_F(ProfileFileTest, aCodePageFileIsDecodedInTheCodePageOfTheMoment) {
    const char* language = std::getenv("LANG");
    const std::string saved = language ? language : "";
    setenv("LANG", "pl_PL.UTF-8", 1);
    folder.write("install.ini", "[s]\nk=\xB3\n");
    letSettle();
    EXPECT_EQ(readProfileString("c:\\install.ini", "s", "k"), "\xC5\x82"); // ł in 1250
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(readProfileString("c:\\install.ini", "s", "k"), "\xD1\x96"); // і in 1251
    setenv("LANG", saved.c_str(), 1);
}

} // namespace
