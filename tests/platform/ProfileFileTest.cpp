#include "platform/ProfileFile.h"
#include "platform/BoundedRead.h"
#include "support/DriveTableFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
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

TEST_F(ProfileFileTest, aScriptOfHundredThousandKeysReads) {
    std::string content = "[Files]\r\n";
    for (int i = 0; i < 100000; ++i)
        content += std::to_string(i) + "=data\\levels\\level" + std::to_string(i) + ".dat\r\n";
    folder.write("install.ini", content + "[Option]\r\nLanguage=Polski\r\n");
    EXPECT_EQ(readProfileString("c:\\install.ini", "files", "99999"),
              "data\\levels\\level99999.dat");
    EXPECT_EQ(readProfileString("c:\\install.ini", "option", "language"), "Polski");
}

// A parsed copy is kept only for a file last changed a moment before it was read.
void letSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

timespec modificationTime(const fs::path& path) {
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mtim;
}

void setModificationTime(const fs::path& path, timespec time) {
    const timespec times[2] = {{0, UTIME_OMIT}, time};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// Each change follows a read of the previous content, so a copy kept without checking the file
// would give the old value.
TEST_F(ProfileFileTest, everyChangeIsSeenByTheNextRead) {
    const struct {
        const char* name;
        std::function<void(const fs::path&)> change;
        const char* expected;
    } changes[] = {
        {"rewritten, same size, time one nanosecond later",
         [&](const fs::path& path) {
             timespec time = modificationTime(path);
             folder.write("install.ini", "[s]\nk=two\n");
             time.tv_nsec = (time.tv_nsec + 1) % 1'000'000'000;
             setModificationTime(path, time);
         },
         "two"},
        {"rewritten, same size, time put back",
         [&](const fs::path& path) {
             const timespec time = modificationTime(path);
             folder.write("install.ini", "[s]\nk=six\n");
             setModificationTime(path, time);
         },
         "six"},
        {"rewritten, other size, time put back",
         [&](const fs::path& path) {
             const timespec time = modificationTime(path);
             folder.write("install.ini", "[s]\nk=three\n");
             setModificationTime(path, time);
         },
         "three"},
        {"replaced by a file of the same size and time",
         [&](const fs::path& path) {
             const auto other = folder.write("other.ini", "[s]\nk=seven\n");
             setModificationTime(other, modificationTime(path));
             fs::rename(other, path);
         },
         "seven"},
        {"made unreadable",
         [&](const fs::path& path) { fs::permissions(path, fs::perms::owner_write); }, ""},
        {"written by the program",
         [&](const fs::path& path) {
             fs::permissions(path, fs::perms::owner_all);
             ASSERT_TRUE(writeProfileString("c:\\install.ini", "S", "K", "eight"));
         },
         "eight"},
    };
    folder.write("install.ini", "[s]\nk=one\n");
    std::string previous = "one";
    for (const auto& change : changes) {
        letSettle();
        ASSERT_EQ(readProfileString("c:\\install.ini", "s", "k"), previous) << change.name;
        change.change(script);
        EXPECT_EQ(readProfileString("c:\\install.ini", "s", "k"), change.expected) << change.name;
        previous = change.expected;
    }
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

namespace {

std::string describe(const std::vector<platform::ProfileSectionLines>& sections) {
    std::string text;
    for (const auto& section : sections) {
        text += "[" + section.name + "]" + std::to_string(section.line);
        for (const auto& key : section.keys)
            text += " " + key.name + std::to_string(key.line);
        text += ";";
    }
    return text;
}

} // namespace

// The lines a checker reports must be those of the values the reader gives: the first section
// and first key of a name, counted the same in every encoding.
TEST_F(ProfileFileTest, sectionsAndKeysAreListedWithTheirLines) {
    const std::string body = "; comment\r\n[Option]\r\nA=1\r\n\r\na=2\r\n[Two]\r\nB=3\r\n"
                             "[option]\r\nC=4\r\n  [ Three ]  \r\nD";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"utf-8 with CRLF", body},
        {"utf-8 with a byte order mark", "\xEF\xBB\xBF" + body},
        {"code page", "; komentarz \xB3\r\n" + body.substr(body.find('\n') + 1)},
    };
    for (const auto& c : cases) {
        folder.write("install.ini", c.bytes);
        EXPECT_EQ(describe(platform::listProfileLines("c:\\install.ini")),
                  "[Option]2 A3;[Two]6 B7;[Three]10 D11;")
            << c.name;
    }
    EXPECT_TRUE(platform::listProfileLines("c:\\missing.ini").empty());
}
