#include "system/FinishingActions.h"
#include "platform/Paths.h"
#include "session/RunLog.h"
#include "support/DesktopOpener.h"
#include "system/SystemFixture.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The person's answers as a script of values; every question asked, as "caption: text (default)".
class ScriptedQuestions : public QuestionAsker {
public:
    std::vector<bool> answers; // in order; a question past the script is answered No
    std::vector<std::string> asked;

    bool askYesNo(const std::string& text, const std::string& caption,
                  DefaultAnswer byDefault) override {
        asked.push_back(caption + ": " + text +
                        (byDefault == DefaultAnswer::Yes ? " (Yes)" : " (No)"));
        const std::size_t index = asked.size() - 1;
        return index < answers.size() && answers[index];
    }
    void inform(const std::string& text, const std::string& caption) override {
        told.push_back(caption + ": " + text);
    }
    std::vector<std::string> told;
};

class FinishingActionsTest : public SystemFixture {
protected:
    void SetUp() override {
        SystemFixture::SetUp();
        setenv("RUN_LOG", (temp / "runs.log").c_str(), 1);
        unsetenv("RUN_EXIT_CODE");
    }
    void TearDown() override {
        opener.reset();
        unsetenv("RUN_LOG");
        unsetenv("RUN_EXIT_CODE");
        SystemFixture::TearDown();
    }
    // Puts the recording program on the medium under the given name.
    void placeProgram(const std::string& relative) {
        const auto path = native("d/" + relative);
        fs::create_directories(path.parent_path());
        fs::copy_file(RECORD_RUN_PATH, path);
    }
    // A file manager stand-in that records what it was asked to open.
    void fakeDesktopOpener() { opener.emplace(temp, RECORD_RUN_PATH); }
    // What the opener received, once it has run (it is not waited for).
    std::string openedPath(std::chrono::milliseconds patience = std::chrono::seconds(5)) const {
        return opener->opened(patience);
    }
    std::string runs() const { return readWholeFile(temp / "runs.log"); }

    std::optional<DesktopOpener> opener;
    ScriptedQuestions asker;
};

} // namespace

TEST_F(FinishingActionsTest, FurtherProgramsRunOneAfterAnotherOnYes) {
    placeProgram("extras/one");
    placeProgram("extras/two");
    placeProgram("extras/three");
    const SetupScript script = writeScript("OTHERFILES=3\nMessage0=Install one?\nExe0=extras\\one\n"
                                           "Message1=Install two?\nExe1=extras\\two\n"
                                           "Message2=Install three?\nExe2=extras\\three\n");
    asker.answers = {true, false, true};
    offerOtherPrograms(script, asker);
    EXPECT_EQ(asker.asked, (std::vector<std::string>{"Uwaga !: Install one? (No)",
                                                     "Uwaga !: Install two? (No)",
                                                     "Uwaga !: Install three? (No)"}));
    // Each program sees its name as the script writes it, and ends before the next question.
    EXPECT_EQ(runs(),
              "start extras\\one\nend extras\\one\nstart extras\\three\nend extras\\three\n");
}

TEST_F(FinishingActionsTest, NoCountMeansNoQuestion) {
    for (const char* body : {"", "OTHERFILES=0", "OTHERFILES=-2", "OTHERFILES=none"}) {
        const SetupScript script = writeScript(std::string(body) + "\nMessage0=Never\nExe0=x\n");
        offerOtherPrograms(script, asker);
        EXPECT_TRUE(asker.asked.empty()) << body;
    }
    EXPECT_EQ(runs(), "");
}

// A huge count asks no more than the rows the script has; a row with only one of its two keys
// is still a row.
TEST_F(FinishingActionsTest, FurtherProgramsEndAtTheFirstMissingRow) {
    const SetupScript script =
        writeScript("OTHERFILES=2000000000\nMessage0=One?\nExe1=extras\\two\n"
                    "Message3=Never\nExe3=extras\\never\n");
    offerOtherPrograms(script, asker);
    EXPECT_EQ(asker.asked,
              (std::vector<std::string>{"Uwaga !: One? (No)", "Uwaga !:  (No)"}));
    EXPECT_EQ(runs(), "");
}

// A program that cannot start is passed over and logged as not started: one missing, and a
// Windows program in a folder whose name no Windows path can hold (Wine would end with an error
// code of its own, which read as the program's).
TEST_F(FinishingActionsTest, AProgramThatCannotStartIsPassedOver) {
    placeProgram("extras/two");
#ifndef _WIN32 // Windows has no such folder: there the program is missing, which starts neither
    {
        // The headers that make a file a Windows program, which Wine would be asked to start.
        const fs::path quoted = native("d/extras/say \"hi\"/three.exe");
        fs::create_directories(quoted.parent_path());
        std::string headers(0x44, '\0');
        headers.replace(0, 2, "MZ");
        headers[0x3C] = 0x40;
        headers.replace(0x40, 2, "PE");
        std::ofstream(quoted, std::ios::binary) << headers;
    }
#endif
    const SetupScript script = writeScript("OTHERFILES=3\nMessage0=Missing?\nExe0=extras\\gone\n"
                                           "Message1=Quoted?\nExe1=extras\\say \"hi\"\\three.exe\n"
                                           "Message2=Two?\nExe2=extras\\two\n");
    asker.answers = {true, true, true};
    const fs::path log = temp / "setup.log";
    ASSERT_TRUE(runlog::open(log.string()));
    offerOtherPrograms(script, asker);
    runlog::close();
    EXPECT_EQ(asker.asked.size(), 3u);
    EXPECT_EQ(runs(), "start extras\\two\nend extras\\two\n");
    const std::string logged = readWholeFile(log);
    for (const char* program : {"extras\\gone", "extras\\say \"hi\"\\three.exe"})
        EXPECT_NE(logged.find(std::string("further program could not start: ") + program),
                  std::string::npos)
            << logged;
}

// The DirectX question is asked with Yes as its default; No runs nothing.
TEST_F(FinishingActionsTest, TheDirectXQuestionDefaultsToYesAndNoRunsNothing) {
    placeProgram("directx/dxsetup");
    const SetupScript script =
        writeScript("IDS_INST_DX=Install DirectX?\nIDS_DXINSTALL_PATH=X:\\directx\\dxsetup");
    offerDirectXSetup(session(), script, asker);
    EXPECT_EQ(asker.asked, std::vector<std::string>{"DirectX: Install DirectX? (Yes)"});
    EXPECT_EQ(runs(), "");
    asker.asked.clear();
    asker.answers = {true};
    offerDirectXSetup(session(), script, asker);
    EXPECT_EQ(asker.asked, std::vector<std::string>{"DirectX: Install DirectX? (Yes)"});
    EXPECT_EQ(runs(), "start d:\\directx\\dxsetup\nend d:\\directx\\dxsetup\n");
}

TEST_F(FinishingActionsTest, DirectXRunsFromTheSourceDriveAndReportsItsExitCode) {
    placeProgram("directx/dxsetup");
    const SetupScript script = writeScript("IDS_DXINSTALL_PATH=X:\\directx\\dxsetup");
    EXPECT_TRUE(runDirectXSetup(session(), script));
    EXPECT_EQ(runs(), "start d:\\directx\\dxsetup\nend d:\\directx\\dxsetup\n");
    setenv("RUN_EXIT_CODE", "3", 1);
    EXPECT_FALSE(runDirectXSetup(session(), script));
}

TEST_F(FinishingActionsTest, DirectXWithoutARunnableProgramIsFalse) {
    for (const char* body : {"IDS_DXINSTALL_PATH=", "", "IDS_DXINSTALL_PATH=X:\\missing\\setup"})
        EXPECT_FALSE(runDirectXSetup(session(), writeScript(body))) << body;
    SetupSession noDrive = session();
    noDrive.sourceDrive.clear();
    EXPECT_FALSE(runDirectXSetup(noDrive, writeScript("IDS_DXINSTALL_PATH=X:\\directx\\dxsetup")));
    EXPECT_EQ(runs(), "");
}

// A Yes that can start nothing says why: the medium in no CD-ROM drive, or no program on it.
TEST_F(FinishingActionsTest, AYesToDirectXThatCannotStartSaysWhy) {
    placeProgram("directx/dxsetup");
    SetupSession notFromDisc = session();
    notFromDisc.sourceDrive = "X"; // no CD-ROM drive held the medium
    const struct {
        const SetupSession& from;
        const char* path;
        const char* told;
    } cases[] = {
        {notFromDisc, "X:\\directx\\dxsetup",
         "DirectX: The DirectX set-up cannot start: it runs from the game's disc in a CD-ROM "
         "drive, and the installation was started from elsewhere."},
        {session(), "X:\\missing\\setup",
         "DirectX: The DirectX set-up cannot start: the disc does not hold d:\\missing\\setup."},
    };
    for (const auto& c : cases) {
        asker.answers = {true};
        asker.asked.clear();
        asker.told.clear();
        offerDirectXSetup(c.from, writeScript(std::string("IDS_DXINSTALL_PATH=") + c.path), asker);
        EXPECT_EQ(asker.told, std::vector<std::string>{c.told});
    }
    EXPECT_EQ(runs(), "");
}

TEST_F(FinishingActionsTest, TheProgramGroupOpensInTheFileManager) {
    fakeDesktopOpener();
    const fs::path group = programsFolder() / "Tervalis" / "Demo";
    fs::create_directories(group);
    openProgramGroup(session());
    EXPECT_EQ(openedPath(), group.string() + "\n");
}

TEST_F(FinishingActionsTest, TheReadmeOpensFromTheSetupFolderWhenItIsThere) {
    fakeDesktopOpener();
    openReadme(0);
    EXPECT_EQ(openedPath(std::chrono::milliseconds(300)), "");
    temp.write("d/readme.txt", "Read me.");
    openReadme(0);
    EXPECT_EQ(openedPath(), platform::toNativePath("D:\\readme.txt") + "\n");
}
