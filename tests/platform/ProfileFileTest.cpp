// Profile files and the bounded reads beneath them, on both backends: the POSIX reader of our
// own, and the system's profile functions on Windows.
#include "platform/ProfileFile.h"
#include "platform/BoundedRead.h"
#include "platform/Paths.h"
#include "support/TempFolder.h"
#ifndef _WIN32
#include "support/DriveTableFile.h"
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using platform::FileReadResult;
using platform::readProfileString;
using platform::writeProfileString;

class ProfileFileTest : public testing::Test {
protected:
    // The drive path of a name in the test's folder.
    std::string at(const std::string& name) const {
#ifdef _WIN32
        return platform::toDrivePath(folder.path().string()) + "\\" + name;
#else
        return "c:\\" + name;
#endif
    }

    TempFolder folder;
#ifndef _WIN32
    DriveTableFile table{folder, "c:|fixed|" + folder.path().string() + "\nd:|fixed|/dev\n"};
#endif
    const fs::path script = folder / "install.ini";
};

TEST_F(ProfileFileTest, onlyReadableRegularFilesWithinTheBoundAreRead) {
    folder.write("small.txt", "12345");
    folder.write("large.txt", "123456");
    fs::create_directory(folder / "folder.txt");
    struct Case {
        std::string path;
        FileReadResult result;
        const char* bytes;
    };
    std::vector<Case> cases = {
        {at("small.txt"), FileReadResult::Read, "12345"},
        {at("large.txt"), FileReadResult::TooLarge, ""},
        {at("missing.txt"), FileReadResult::Missing, ""},
        {at("folder.txt"), FileReadResult::Unreadable, ""},
    };
#ifndef _WIN32 // named pipes in the file system, permission bits and /dev are POSIX's
    ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0644), 0); // no writer: must not wait
    fs::permissions(folder.write("writeonly.txt", "12345"), fs::perms::owner_write);
    cases.push_back({at("pipe.txt"), FileReadResult::Unreadable, ""});
    cases.push_back({at("writeonly.txt"), FileReadResult::Unreadable, ""});
    cases.push_back({"d:\\zero", FileReadResult::Unreadable, ""});
#endif
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
    std::vector<std::string> names = {"folder.ini", "missing\\x.ini"};
#ifndef _WIN32 // the system's reader takes a file of any size, and has no owner's read permission
    const auto writeOnly = folder.write("writeonly.ini", content);
    fs::permissions(writeOnly, fs::perms::owner_write);
    const auto huge = folder.write("huge.ini", content);
    fs::resize_file(huge, (64u << 20) + 1);
    names.insert(names.end(), {"writeonly.ini", "huge.ini"});
#endif
    for (const std::string& name : names) {
        EXPECT_EQ(readProfileString(at(name), "Option", "Language"), "") << name;
        EXPECT_FALSE(writeProfileString(at(name), "Option", "Language", "English")) << name;
    }
    EXPECT_TRUE(fs::is_directory(folder / "folder.ini"));
#ifndef _WIN32
    EXPECT_EQ(fs::status(writeOnly).permissions(), fs::perms::owner_write);
    fs::permissions(writeOnly, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(readWholeFile(writeOnly), content);
    EXPECT_EQ(fs::file_size(huge), (64u << 20) + 1);
#endif
}

// A medium listing 100,000 files needs a script of about 5 MiB.
TEST_F(ProfileFileTest, aScriptOfSeveralMebibytesReads) {
    folder.write("install.ini",
                 "[Files]\r\n; " + std::string(6u << 20, 'x') + "\r\n99999=data\\level.dat\r\n");
    EXPECT_EQ(readProfileString(at("install.ini"), "files", "99999"), "data\\level.dat");
}

TEST_F(ProfileFileTest, aCodePageFileIsDecodedInTheCodePageOfTheMoment) {
#ifdef _WIN32
    GTEST_SKIP() << "the system's reader decodes in the system's code page, which a test cannot "
                    "change as LANG changes it on POSIX";
#else
    const char* language = std::getenv("LANG");
    const std::string saved = language ? language : "";
    setenv("LANG", "pl_PL.UTF-8", 1);
    folder.write("install.ini", "[s]\nk=\xB3\n");
    EXPECT_EQ(readProfileString("c:\\install.ini", "s", "k"), "\xC5\x82"); // ł in 1250
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(readProfileString("c:\\install.ini", "s", "k"), "\xD1\x96"); // і in 1251
    setenv("LANG", saved.c_str(), 1);
#endif
}

} // namespace
