// The whole installation sequence with a test's script of answers and no window: no toolkit is
// started and no display is needed, through the copy, the registration and the finishing steps.
#include "app/InstallAnswers.h"
#include "app/InstallSequence.h"
#include "app/UnattendedInstallation.h"
#include "copy/CopyProgress.h"
#include "e2e/InstallSandbox.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "script/SetupScript.h"
#include "session/SessionSetup.h"
#include "support/ShortcutFile.h"
#include "system/RegistryStrings.h"

#include <wx/app.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The answers as values, and every box as the line it would show, in order. Questions are
// answered Yes up to the finishing ones, which are answered No.
class ScriptedAnswers : public InstallAnswers {
public:
    std::string mode = "max";
    std::string folder = "C:\\Games\\Moonrise Harbour";
    bool createFolder = true;
    std::vector<std::string> transcript;

    void begin(const SetupScript&) override { transcript.push_back("begin"); }
    bool acceptLicence() override { return true; }
    std::string chooseInstallMode(bool) override { return mode; }
    bool chooseTargetFolder(std::string& chosen) override {
        chosen = folder;
        return true;
    }
    bool goOnWithoutSpace(const std::string& text, const std::string&) override {
        transcript.push_back("space: " + text);
        return false;
    }
    bool askYesNo(const std::string& text, const std::string& caption,
                  DefaultAnswer byDefault) override {
        transcript.push_back(caption + ": " + text +
                             (byDefault == DefaultAnswer::Yes ? " (Yes)" : " (No)"));
        return createFolder && !finished;
    }
    void stop(const std::string& text, const std::string&) override {
        transcript.push_back("stop: " + text);
    }
    void inform(const std::string& text, const std::string&) override {
        transcript.push_back("inform: " + text);
        finished = true;
    }
    bool runsOtherPrograms() const override { return true; }
    std::uintptr_t ownerWindow() const override { return 0; }
    void end() override { transcript.push_back("end"); }
    bool giveBack() override {
        transcript.push_back("given back");
        return false;
    }

private:
    bool finished = false;
};

class SequenceWithoutWindows : public testing::Test {
protected:
    void SetUp() override {
        // Nothing here may need a display.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        ASSERT_EQ(wxTheApp, nullptr) << "no toolkit application runs";
        session.scriptPath = script.path();
        session.languageSection = script.language();
        fillSessionForRun(session, script);
    }

    fs::path target() const { return sandbox.home() / "Games/Moonrise Harbour"; }

    InstallSandbox sandbox;
    const SetupScript script{scriptPathBeside(platform::ownProgramPath()), "English"};
    SetupSession session;
    CopyWithoutWindow progress;
};

TEST_F(SequenceWithoutWindows, installsThroughCopyRegistrationAndFinishingSteps) {
    ScriptedAnswers answers;
    ASSERT_TRUE(InstallSequence(session, script, answers, progress).run());
    const std::vector<std::string> expected = {
        "begin",
        "Moonrise Harbour: The folder does not exist. Do you want to create it? (Yes)",
        "inform: Moonrise Harbour has been installed. Fair winds!",
        "Uwaga !: Do you want to set up your controls now? (No)",
        "DirectX: Do you want to install the graphics runtime (DirectX) now? (Yes)",
        "end"};
    EXPECT_EQ(answers.transcript, expected);
    // The program group and the readme were handed to the desktop's opener, which is not waited
    // for.
    const std::string opened = sandbox.openedAll({"Moonrise Harbour", "readme.txt"});
    EXPECT_NE(opened.find("Moonrise Harbour"), std::string::npos) << opened;
    EXPECT_NE(opened.find("readme.txt"), std::string::npos) << opened;
    for (const char* file : {"harbour.exe", "data/textures/water.tex", "install.ini", "title.bmp"})
        EXPECT_TRUE(fs::exists(target() / file)) << file;
    EXPECT_EQ(readWholeFile(target() / "music/theme.wav").substr(0, 4), "RIFF");
    std::string recorded;
    ASSERT_TRUE(readRegistryString(platform::RegistryHive::CurrentUser, session.registryKey,
                                   "ProgramPath", recorded));
    EXPECT_EQ(recorded, "C:\\Games\\Moonrise Harbour");
    EXPECT_TRUE(fs::exists(shortcutFile(sandbox.programGroup(), "Moonrise Harbour.lnk")));
    EXPECT_TRUE(fs::exists(sandbox.sharedUninstaller()));
}

// A unit that fails ends the copy with the script's texts and the reason on a line of its own, and
// gives the run back; nothing is recorded, and a No to the folder question makes nothing at all.
TEST_F(SequenceWithoutWindows, aFailedCopyOrANoIsReportedAndGivesTheRunBack) {
    const struct {
        const char* name;
        std::function<void()> spoil;
        const char* told;
        bool systemReason = false; // the system's own words follow, on a line of their own
    } failures[] = {
        {"missing from the medium", [&] { fs::remove(sandbox.medium() / "readme.txt"); },
         "stop: Cannot write the file: readme.txt\nThe medium does not hold this file."},
        {"a folder on the medium",
         [&] {
             fs::remove(sandbox.medium() / "readme.txt");
             fs::create_directory(sandbox.medium() / "readme.txt");
         },
         "stop: Cannot write the file: readme.txt\nOn the medium this is not a file."},
        {"a file where the target's folder goes",
         [&] {
             fs::create_directories(target());
             std::ofstream(target() / "data") << "in the way";
         },
         "stop: Cannot write the file: data\\config.dat\n"
         "The file could not be written in C:\\Games\\Moonrise Harbour\\data.",
         true},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.name);
        const fs::path readme = sandbox.medium() / "readme.txt";
        const std::string text = readWholeFile(readme);
        failure.spoil();
        ScriptedAnswers failing;
        EXPECT_FALSE(InstallSequence(session, script, failing, progress).run());
        ASSERT_GE(failing.transcript.size(), 2u);
        const std::string& told = failing.transcript[failing.transcript.size() - 2];
        const std::string reason = told.substr(std::min(told.size(), std::strlen(failure.told)));
        EXPECT_EQ(told.substr(0, told.size() - reason.size()), failure.told);
        if (failure.systemReason)
            EXPECT_TRUE(reason.size() > 2 && reason.front() == '\n' && reason.back() == '.')
                << told;
        else
            EXPECT_EQ(reason, "");
        EXPECT_EQ(failing.transcript.back(), "given back");
        std::string recorded;
        EXPECT_FALSE(readRegistryString(platform::RegistryHive::CurrentUser, session.registryKey,
                                        "ProgramPath", recorded));
        fs::remove_all(readme);
        std::ofstream(readme, std::ios::binary) << text;
        fs::remove_all(target());
    }

    ScriptedAnswers declining;
    declining.folder = "C:\\Elsewhere\\Harbour";
    declining.createFolder = false;
    EXPECT_FALSE(InstallSequence(session, script, declining, progress).run());
    EXPECT_EQ(declining.transcript.back(), "given back");
    EXPECT_FALSE(fs::exists(sandbox.home() / "Elsewhere"));

    // On a drive that is not there, nothing is asked: the box says why no folder can be made.
    ScriptedAnswers noDrive;
    noDrive.folder = "Q:\\Games\\Harbour";
    EXPECT_FALSE(InstallSequence(session, script, noDrive, progress).run());
    const std::vector<std::string> told = {
        "begin", "stop: The folder could not be created.\nThe drive Q: does not exist.",
        "given back"};
    EXPECT_EQ(noDrive.transcript, told);

    // A group name no file system takes is found before anything is copied, not after the copy.
    const std::string longName(300, 'a');
    session.companyName = longName;
    ScriptedAnswers tooLong;
    EXPECT_FALSE(InstallSequence(session, script, tooLong, progress).run());
    ASSERT_EQ(tooLong.transcript.size(), 3u);
    EXPECT_EQ(tooLong.transcript[1],
              "stop: The program group or one of its shortcuts could not be created.\nThe name \"" +
                  longName + "\" is longer than a file name may be.");
    EXPECT_FALSE(fs::exists(target()));
}

} // namespace
