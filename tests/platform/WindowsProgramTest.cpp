// Windows programs start through Wine when it is on the PATH, known by their header, not their
// name; native programs and scripts start as they are, whatever they are called.
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/ShellLink.h"
#include "support/TempFolder.h"
#include "support/WindowsProgramBytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class WindowsProgramTest : public testing::Test {
protected:
    WindowsProgramTest() {
        savedPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
        fs::create_directories(temp / "wine-bin");
        fs::create_directories(temp / "menu");
        // Wine's stand-in records what it was asked to run and ends with 7.
        executable("wine-bin/wine",
                   "#!/bin/sh\necho \"$@\" > '" + (temp / "wine-args").string() + "'\nexit 7\n");
        executable("game.exe", windowsProgramBytes());
        temp.write("tool.exe", windowsProgramBytes()); // no permission to run, as on a medium
        temp.write("dos.exe", "MZ" + std::string(0x40, '\0'));
        executable("script.exe", "#!/bin/sh\nexit 3\n");
    }
    ~WindowsProgramTest() override { setenv("PATH", savedPath.c_str(), 1); }

    void executable(const std::string& name, const std::string& bytes) {
        fs::permissions(temp.write(name, bytes), fs::perms::owner_all);
    }
    void withWine(bool installed) {
        const std::string path = installed ? (temp / "wine-bin").string() + ":" + savedPath
                                           : std::string("/nonexistent");
        setenv("PATH", path.c_str(), 1);
    }
    std::string drive(const std::string& name) const {
        return platform::toDrivePath((temp / name).string());
    }
    std::string execOf(const std::string& target) {
        EXPECT_TRUE(platform::createShellLink(drive(target), drive("menu") + "\\Play.lnk", "",
                                              drive(""), ""));
        const std::string entry = readWholeFile(temp / "menu/Play.desktop");
        const auto start = entry.find("\nExec=") + 6;
        return entry.substr(start, entry.find('\n', start) - start);
    }

    TempFolder temp;
    std::string savedPath;
};

TEST_F(WindowsProgramTest, windowsProgramsStartThroughWineWhenItIsThere) {
    withWine(true);
    EXPECT_EQ(platform::spawnAndWait(drive("game.exe"), {"game.exe", "-level", "2"}), 7);
    EXPECT_EQ(readWholeFile(temp / "wine-args"), (temp / "game.exe").string() + " -level 2\n");
    EXPECT_EQ(platform::spawnAndWait(drive("tool.exe"), {"tool.exe"}), 7)
        << "a Windows program needs no permission bits of its own";
    EXPECT_EQ(platform::spawnAndWait(drive("script.exe"), {"script.exe"}), 3)
        << "a script called .exe is no Windows program";
    EXPECT_EQ(platform::spawnAndWait(drive("dos.exe"), {"dos.exe"}), -1)
        << "an MZ header without the PE signature is not started through Wine";
    ASSERT_EQ(mkfifo((temp / "piped.exe").c_str(), 0700), 0);
    EXPECT_EQ(platform::spawnAndWait(drive("piped.exe"), {"piped.exe"}), -1)
        << "a pipe is not waited on for a header";
    EXPECT_EQ(execOf("game.exe"), "wine \"" + (temp / "game.exe").string() + "\"");
    EXPECT_EQ(execOf("script.exe"), "\"" + (temp / "script.exe").string() + "\"");
    EXPECT_NE(readWholeFile(temp / "menu/Play.desktop").find("\nPath=" + temp.path().string()),
              std::string::npos);

    withWine(false);
    EXPECT_EQ(platform::spawnAndWait(drive("game.exe"), {"game.exe"}), -1);
    EXPECT_FALSE(platform::spawnDetached(drive("game.exe"), {"game.exe"}));
    EXPECT_EQ(execOf("game.exe"), "\"" + (temp / "game.exe").string() + "\"");
    EXPECT_EQ(platform::spawnAndWait(drive("script.exe"), {"script.exe"}), 3);
}

} // namespace
