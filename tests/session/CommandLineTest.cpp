// The command line: every accepted form gives its answers, every bad one an error naming it.
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "support/TempFolder.h"
#include "support/TestMachine.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, acceptedLinesGiveTheirAnswers) {
    EXPECT_EQ(parseCommandLine({}).action, CommandLine::Action::Run);
    EXPECT_FALSE(parseCommandLine({}).silent) << "no arguments: the interactive run";

    const CommandLine full =
        parseCommandLine({"--silent", "--dir", "C:\\Games\\Moonrise Harbour", "--type", "max",
                          "--language", "Polski", "--log", "run.log", "--ignore-space"});
    ASSERT_EQ(full.action, CommandLine::Action::Run) << full.error;
    EXPECT_TRUE(full.silent);
    EXPECT_FALSE(full.quiet);
    EXPECT_TRUE(full.ignoreSpace);
    EXPECT_EQ(full.folder, "C:\\Games\\Moonrise Harbour");
    EXPECT_EQ(full.installType, "max");
    EXPECT_EQ(full.language, "Polski");
    EXPECT_EQ(full.logPath, "run.log");

    const CommandLine quiet = parseCommandLine({"--quiet", "--type=min", "--log=x=y.log"});
    ASSERT_EQ(quiet.action, CommandLine::Action::Run) << quiet.error;
    EXPECT_TRUE(quiet.silent) << "--quiet is a silent run without windows";
    EXPECT_EQ(quiet.installType, "min");
    EXPECT_EQ(quiet.logPath, "x=y.log");

    const CommandLine logOnly = parseCommandLine({"--log", "/tmp/a log"});
    ASSERT_EQ(logOnly.action, CommandLine::Action::Run);
    EXPECT_FALSE(logOnly.silent) << "a log alone keeps the interactive run";

    EXPECT_EQ(parseCommandLine({"--silent", "--bogus", "--help"}).action,
              CommandLine::Action::Error);
    EXPECT_EQ(parseCommandLine({"--silent", "--help"}).action, CommandLine::Action::Help);

    // Where the program lives apart from the disc, the disc to install from may follow.
    const CommandLine onMedium = parseCommandLine({"--quiet", "/media/user/MOONRISE", "--type", "min"});
    if (kTestsRunOnWindows) {
        EXPECT_EQ(onMedium.action, CommandLine::Action::Error);
        EXPECT_NE(onMedium.error.find("installs from the medium it is on"), std::string::npos);
    } else {
        ASSERT_EQ(onMedium.action, CommandLine::Action::Run) << onMedium.error;
        EXPECT_EQ(onMedium.medium, "/media/user/MOONRISE");
        EXPECT_EQ(onMedium.installType, "min");
    }
}

// An installed product's commands name it and, for a check against it, its medium, which the
// Windows program takes too, though it installs only from its own folder.
TEST(CommandLineTest, productCommandsNameTheProductAndItsMedium) {
    const CommandLine uninstall = parseCommandLine({"--uninstall", "Moonrise Harbour"});
    EXPECT_EQ(uninstall.action, CommandLine::Action::Uninstall);
    EXPECT_EQ(uninstall.product, "Moonrise Harbour");
    const CommandLine repair = parseCommandLine({"--repair=Moonrise Harbour", "D:\\", "--log", "r.log"});
    EXPECT_EQ(repair.action, CommandLine::Action::Repair);
    EXPECT_EQ(repair.medium, "D:\\");
    EXPECT_EQ(repair.logPath, "r.log");
    EXPECT_EQ(parseCommandLine({"--verify", "Moonrise Harbour"}).action, CommandLine::Action::Verify);
}

TEST(CommandLineTest, badLinesAreErrorsThatSayWhy) {
    const struct {
        Args arguments;
        const char* said;
    } cases[] = {
        {{"--bogus"}, "unknown argument: --bogus"},
        {{"/media/a", "/media/b"}, kTestsRunOnWindows ? "unknown argument" : "one medium at a time"},
        {{"--silent", "--dir"}, "--dir needs a value"},
        {{"--silent", "--dir="}, "--dir needs a value"},
        {{"--silent", "--type", "max", "--type", "min"}, "--type is given twice"},
        {{"--silent=yes"}, "--silent takes no value"},
        {{"--dir", "C:\\Games"}, "add --silent"},
        {{"--language", "Polski"}, "add --silent"},
        {{"--ignore-space"}, "add --silent"},
        {{"--silent", "--dir", "Games\\Harbour"}, "full path"},
        {{"--silent", "--dir", "/home/user/games"}, "full path"},
        {{"--silent", "--dir", "C:\\Games\\NUL"}, "--dir: NUL is a name Windows keeps for a device"},
        {{"--silent", "--dir", "C:\\com1.dat\\x"}, "--dir: com1.dat is a name Windows keeps"},
        {{"--silent", "--dir", "C:\\Games\\a|b"}, "--dir: a|b holds a character Windows refuses"},
        {{"--silent", "--dir", "C:\\Games\\gra\xE2\x80\xAE" "exe"},
         "--dir: gra<U+202E>exe holds a control character or a mark that turns the direction"},
        {{"--silent", "--dir", "C:\\" + std::string(300, 'x')}, "longer than 255"},
        // One character more than a folder the installer can make.
        {{"--silent", "--dir", "C:\\" + std::string(253, 'x')}, "longer than 255"},
        {{"--silent", "--type", "full"}, "min, std or max"},
        {{"--uninstall"}, "--uninstall needs a value"},
        {{"--uninstall", "Demo", "--silent"}, "take no installation's options"},
        {{"--uninstall", "Demo", "/media/cd"}, "--uninstall needs no medium"},
        {{"--repair", "Demo"}, "--repair needs the medium"},
        {{"--verify", "Demo", "--repair", "Demo"}, "one of --uninstall, --verify and --repair"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::Error) << c.said;
        EXPECT_NE(line.error.find(c.said), std::string::npos) << line.error;
    }
}

// Each entry of the log starts with its time; a text's further lines are indented, so that a name
// with a line break in it cannot start another entry.
TEST(RunLogTest, anEntryStartsWithItsTimeAndItsFurtherLinesAreIndented) {
    TempFolder folder;
    const std::filesystem::path log = folder / "run.log";
    const std::u8string name = log.u8string();
    ASSERT_TRUE(runlog::open(std::string(name.begin(), name.end())));
    runlog::write("converted", "sounds\\a\n00:00:00.000 failed: forged\r.wav");
    // No control character or direction mark reaches a reader's terminal raw.
    runlog::write("copied", "exe.\xE2\x80\xAEtxt\x1B[2J\xC2\x9B ok");
    runlog::close();
    const std::regex expected("([0-2][0-9]:[0-5][0-9]:[0-6][0-9]\\.[0-9]{3}) converted: sounds\\\\a\n"
                              " {15}00:00:00\\.000 failed: forged\\\\r\\.wav\n"
                              "[0-2][0-9]:[0-5][0-9]:[0-6][0-9]\\.[0-9]{3} copied: "
                              "exe\\.<U\\+202E>txt<U\\+001B>\\[2J<U\\+009B> ok\n");
    const std::string text = readWholeFile(log);
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

} // namespace
