// Whole installation runs of the demo medium: the main window, every page and box answered in
// order, the copy dialog doing its real work, and what the run leaves on the machine.
#include "app/SetupDialog.h"
#include "audio/AudioFixtures.h"
#include "copy/SoundArchiveRecord.h"
#include "e2e/DialogSteps.h"
#include "e2e/InstallSandbox.h"
#include "e2e/TreeSnapshot.h"
#include "pages/AgreementPage.h"
#include "pages/CopyProgressDialog.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "support/HostCommand.h"
#include "support/ScriptedDialogs.h"
#include "support/ShortcutFile.h"
#include "support/TempFolder.h"
#include "system/RegistryStrings.h"

#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr int kGivenBack = 4242;
const std::string kOwnKey = "Software\\Tervalis\\MoonriseHarbour_English";
const std::string kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MoonriseHarbour_English";
const char* kCreateFolder = "The folder does not exist. Do you want to create it?";
const char* kFinished = "Moonrise Harbour has been installed. Fair winds!";
const char* kOtherProgram = "Do you want to set up your controls now?";
const char* kDirectX = "Do you want to install the graphics runtime (DirectX) now?";
const char* kShortcutFailed = "The program group or one of its shortcuts could not be created.";
const char* kFolderNotMade = "The folder could not be created.";
const char* kGameName = "Moonrise Harbour";

// Lets the copy run until the file is in place, then presses the abort button before the next unit.
ScriptedDialogs::Step copyAndAbortOnceThere(const fs::path& file) {
    return [file](wxDialog* dialog) {
        auto* timer = new wxTimer;
        timer->Bind(wxEVT_TIMER, [dialog, timer, file](wxTimerEvent&) {
            if (!fs::exists(file))
                return;
            timer->Stop();
            wxCommandEvent abort(wxEVT_BUTTON, wxID_CANCEL);
            abort.SetEventObject(dialog->FindWindow(wxID_CANCEL));
            dialog->GetEventHandler()->ProcessEvent(abort);
        });
        timer->Start(1);
        dialog->Bind(wxEVT_DESTROY, [timer](wxWindowDestroyEvent& event) {
            event.Skip();
            delete timer;
        });
        return ScriptedDialogs::kRunForReal;
    };
}

// Appends four minutes of sound to an archive: its conversion is still under way when the test
// next looks at the target, however fast the records before it went.
void appendLongRecord(const fs::path& archive) {
    TempFolder sounds;
    ASSERT_EQ(
        runHostCommand("cd '" + hostPath(sounds.path()) +
                       "' && sox -R -q -n -r 22050 -c 1 -b 16 long.wav synth 240 sine 200-2000"
                       " && oggenc -Q -o long.ogg long.wav"),
        0);
    std::ofstream(archive, std::ios::binary | std::ios::app)
        << encodeRecord(kCodecVorbis, "long.ogg", readWholeFile(sounds / "long.ogg"));
}

class InstallRun : public testing::Test {
protected:
    // Shows the main window and presses install once per run; the result says whether the
    // installation ended the window (wxID_CANCEL) or gave it back (kGivenBack).
    int runInstall(ScriptedDialogs& dialogs, int runs = 1,
                   const std::function<void()>& betweenRuns = {}) {
        SetupDialog window(nullptr);
        EXPECT_TRUE(window.initialise());
        mainWindow = &window;
        window.CallAfter([&] {
            for (int run = 0; run < runs && stillOpen(window); ++run) {
                if (run > 0 && betweenRuns)
                    betweenRuns();
                window.runInstallSequence();
            }
            if (stillOpen(window)) {
                minimisedWhenGivenBack = !waitUntil([&] { return !window.IsIconized(); });
                window.EndModal(kGivenBack);
            }
        });
        const int result = window.ShowModal();
        chosenFolder = window.sessionRecord().targetFolder;
        mainWindow = nullptr;
        dialogs.checkAllShown();
        return result;
    }

    // A step that notes whether the main window was minimised while its page was up.
    ScriptedDialogs::Step answerNotingTheMainWindow(int result) {
        return [this, result](wxDialog*) {
            minimisedDuringPage = mainWindow && waitUntil([&] { return mainWindow->IsIconized(); });
            return result;
        };
    }

    ScriptedDialogs& startDialogs() {
        return scripted.then("main window", answer(ScriptedDialogs::kRunForReal));
    }

    fs::path target() const { return sandbox.home() / "Games/Moonrise Harbour"; }

    std::string registryValue(platform::RegistryHive hive, const std::string& key,
                              const char* name) {
        std::string value = "<none>";
        readRegistryString(hive, key, name, value);
        return value;
    }

    // Replaces a line of the medium's script.
    void editScript(const std::string& line, const std::string& replacement) {
        const fs::path path = sandbox.medium() / "install.ini";
        std::string script = readWholeFile(path);
        const auto at = script.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        script.replace(at, line.size(), replacement);
        std::ofstream(path, std::ios::binary) << script;
    }

    // No registry record of the installation: on POSIX no hive was even written.
    void expectNothingRecorded() {
        EXPECT_FALSE(fs::exists(sandbox.registryFolder()) &&
                     !fs::is_empty(sandbox.registryFolder()));
        using platform::RegistryHive;
        for (const char* name : {"ProgramPath", "Program", "Lang"})
            EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, name), "<none>") << name;
        EXPECT_EQ(registryValue(RegistryHive::LocalMachine, kUninstallKey, "DisplayName"),
                  "<none>");
    }

    bool sameFile(const std::string& relative) const {
        return fs::exists(target() / relative) &&
               readWholeFile(target() / relative) == readWholeFile(sandbox.medium() / relative);
    }

    InstallSandbox sandbox;
    ScriptedDialogs scripted;
    std::string chosenFolder;
    SetupDialog* mainWindow = nullptr;
    bool minimisedDuringPage = false;
    bool minimisedWhenGivenBack = true;
};

// The lines that hold any text, each ending in LF.
std::string textLines(const std::string& text) {
    std::istringstream lines(text);
    std::string line, kept;
    while (std::getline(lines, line))
        if (!line.empty())
            kept += line + "\n";
    return kept;
}

void expectSamplesOf(const fs::path& wav, const Samples& peer, std::size_t offset) {
    const WavFile file = readWav(wav);
    EXPECT_EQ(file.dataSize, file.samples.size() * 2) << wav;
    EXPECT_EQ(file.riffSize, file.dataSize + 36) << wav;
    ASSERT_GE(file.samples.size(), offset + peer.size()) << wav;
    ASSERT_FALSE(peer.empty());
    EXPECT_TRUE(
        std::equal(peer.begin(), peer.end(), file.samples.begin() + static_cast<long>(offset)))
        << wav << " differs from the peer decoder";
}

TEST_F(InstallRun, completeInstallationLeavesEverythingInPlace) {
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kFullId))
        .then("target folder", chooseFolder("C:\\Games\\Moonrise Harbour"))
        .thenMessage(kCreateFolder, wxID_YES)
        .then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    ASSERT_EQ(runInstall(dialogs), wxID_CANCEL) << "the installation ends the main window";

    for (const char* file : {"harbour.exe", "uninstall.exe", "readme.txt", "data/config.dat",
                             "data/levels/level3.lvl", "data/maps/north.map",
                             "data/textures/water.tex", "extras/artwork/sketch2.txt", "title.bmp"})
        EXPECT_TRUE(sameFile(file)) << file;
    EXPECT_FALSE(fs::exists(target() / "music/music.snd")) << "archives are unpacked, not copied";
    for (const char* sound :
         {"music/theme.ogg", "music/jingle.ogg", "speech/welcome.spx", "speech/goodbye.spx"})
        EXPECT_FALSE(fs::exists(target() / sound)) << "temporary file left: " << sound;

    const fs::path music = sandbox.extractArchive("music/music.snd");
    for (const char* name : {"theme", "jingle"})
        expectSamplesOf(target() / "music" / (std::string(name) + ".wav"),
                        decodeWithOggdec(music / (std::string(name) + ".ogg")), 0);
    // speexdec leaves out the wideband decoder's lookahead of 223 samples; we keep every frame.
    const fs::path speech = sandbox.extractArchive("speech/speech.snd");
    for (const char* name : {"welcome", "goodbye"})
        expectSamplesOf(target() / "speech" / (std::string(name) + ".wav"),
                        decodeWithSpeexdec(speech / (std::string(name) + ".spx")), 223);

    std::string script = readWholeFile(sandbox.medium() / "install.ini");
    const std::string anchor = "DEINSTALLEXE_NAME=uninstall.exe\n";
    script.insert(script.find(anchor) + anchor.size(), "Language=English\n");
    // The system's profile writer under Wine writes the file anew: lines end in CR LF and the
    // blank lines are gone. The lines with text stay as they were.
    if (kTestsRunOnWindows)
        EXPECT_EQ(textLines(readLog(target() / "install.ini")), textLines(script));
    else
        EXPECT_EQ(readWholeFile(target() / "install.ini"), script);

    using platform::RegistryHive;
    EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "ProgramPath"),
              "C:\\Games\\Moonrise Harbour");
    EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "Lang"), "English");
    EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "Program"), "<none>");
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, kUninstallKey, "DisplayName"),
              "Moonrise Harbour");
    EXPECT_EQ(registryValue(RegistryHive::LocalMachine, kUninstallKey, "UninstallString"),
              listedUninstallCommand("C:\\Games\\Moonrise Harbour\\uninstall.exe",
                                     "Moonrise Harbour"));
    for (const char* link :
         {"Moonrise Harbour.lnk", "Read me.lnk", "Uninstall Moonrise Harbour.lnk"})
        EXPECT_TRUE(fs::exists(shortcutFile(sandbox.programGroup(), link))) << link;
    EXPECT_TRUE(fs::exists(sandbox.sharedUninstaller()));
    const std::string opened = sandbox.openedAll({"Moonrise Harbour", "readme.txt"});
    EXPECT_NE(opened.find("Moonrise Harbour"), std::string::npos) << "the group was opened";
    EXPECT_NE(opened.find("readme.txt"), std::string::npos) << "the readme was opened";
}

// Nothing minimises a window on a display without a window manager.
bool windowManagerRuns() {
#ifdef _WIN32
    return true;
#else
    return runHostCommand(
               "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'") == 0;
#endif
}

// The main window is minimised while the pages are up and restored when the run gives it back.
TEST_F(InstallRun, declinedLicenceGivesTheWindowBackAndWritesNothing) {
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answerNotingTheMainWindow(wxID_CANCEL));
    EXPECT_EQ(runInstall(dialogs), kGivenBack);
    if (windowManagerRuns()) {
        EXPECT_TRUE(minimisedDuringPage);
        EXPECT_FALSE(minimisedWhenGivenBack);
    } else {
        std::printf("[   NOTE   ] the minimised main window is not checked: this display has no "
                    "window manager\n");
    }
    EXPECT_FALSE(fs::exists(target()));
    expectNothingRecorded();
}

TEST_F(InstallRun, cancelledInstallTypeInstallsTheStandardList) {
    fs::create_directories(target());
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type",
              [](wxDialog* dialog) {
                  chooseInstallType(InstallTypePage::kMinimalId)(dialog);
                  return wxID_CANCEL;
              })
        .then("target folder", chooseFolder("c:\\games\\moonrise harbour"))
        .then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    EXPECT_EQ(runInstall(dialogs), wxID_CANCEL);
    EXPECT_TRUE(sameFile("data/maps/south.map")) << "in the standard list";
    EXPECT_TRUE(fs::exists(target() / "speech/welcome.wav"));
    EXPECT_FALSE(fs::exists(target() / "data/textures")) << "only in the full list";
}

TEST_F(InstallRun, cancelledTargetPageAndMissingFolderAnsweredNoCreateNothing) {
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", answer(wxID_OK))
        .then("target folder", answer(wxID_CANCEL))
        .then("agreement again", answer(wxID_OK))
        .then("install type again", answer(wxID_OK))
        .then("target folder again", chooseFolder("C:\\New\\Deeper\\Harbour"))
        .thenMessage(kCreateFolder, wxID_NO);
    EXPECT_EQ(runInstall(dialogs, 2), kGivenBack);
    EXPECT_FALSE(fs::exists(sandbox.home() / "New"));
    EXPECT_EQ(chosenFolder, "C:\\New\\Deeper\\Harbour")
        << "the next run starts on the chosen folder";
}

TEST_F(InstallRun, abortInsideAnArchiveKeepsWhatWasConverted) {
    appendLongRecord(sandbox.medium() / "music/music.snd");
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", answer(wxID_OK))
        .then("target folder", chooseFolder("C:\\Games\\Moonrise Harbour"))
        .thenMessage(kCreateFolder, wxID_YES)
        .then("copy", copyAndAbortOnceThere(target() / "music/theme.wav"))
        .thenMessage("The installation was stopped at music\\music.snd.\n"
                     "The files copied before it stay in C:\\Games\\Moonrise Harbour.",
                     wxID_OK, "Copying files", wxICON_INFORMATION);
    EXPECT_EQ(runInstall(dialogs), kGivenBack);
    EXPECT_TRUE(fs::exists(target() / "music/theme.wav")) << "converted before the abort";
    EXPECT_FALSE(fs::exists(target() / "music/long.wav")) << "stopped while it converted";
    EXPECT_TRUE(sameFile("readme.txt"));
    EXPECT_FALSE(fs::exists(target() / "speech")) << "not reached";
    EXPECT_FALSE(fs::exists(target() / "install.ini")) << "no finishing step ran";
}

TEST_F(InstallRun, failingShortcutWritesTheFallbackRecordThenASecondRunSucceeds) {
    // A folder where the second shortcut's file must go makes that shortcut fail.
    const fs::path blocker = shortcutFile(sandbox.programGroup(), "Read me.lnk");
    fs::create_directories(blocker / "inside");
    // The box names the shortcut on a line of its own.
    const std::string failed = std::string(kShortcutFailed) + "\nthe shortcut " +
                               platform::toDrivePath(sandbox.programGroup().string()) +
                               "\\Read me.lnk could not be saved";
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kMinimalId))
        .then("target folder", chooseFolder("C:\\Games\\Moonrise Harbour"))
        .thenMessage(kCreateFolder, wxID_YES)
        .then("copy", copyForReal())
        .thenMessage(failed, wxID_OK, kGameName, wxICON_ERROR)
        .then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kMinimalId))
        .then("target folder", answer(wxID_OK))
        .then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    using platform::RegistryHive;
    const int result = runInstall(dialogs, 2, [&] {
        EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "Program"),
                  "C:\\Games\\Moonrise Harbour");
        EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "Lang"), "English");
        EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "ProgramPath"), "<none>");
        EXPECT_TRUE(fs::exists(shortcutFile(sandbox.programGroup(), "Moonrise Harbour.lnk")))
            << "made before the failure";
        EXPECT_FALSE(fs::exists(target() / "install.ini")) << "no finishing step ran";
        EXPECT_FALSE(fs::exists(sandbox.sharedUninstaller()));
        fs::remove_all(blocker);
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(registryValue(RegistryHive::CurrentUser, kOwnKey, "ProgramPath"),
              "C:\\Games\\Moonrise Harbour");
    EXPECT_TRUE(fs::is_regular_file(blocker));
    EXPECT_TRUE(fs::exists(target() / "install.ini"));
}

// A machine made to lead the program astray, and where a full installation must still end up.
struct WriteScenario {
    const char* name;
    // The drives (c home, d the medium, z the whole file system) and the setup program's own
    // path (a drive path, or a native one); {home} and {medium} stand for the sandbox's folders.
    const char* drives;
    const char* program;
    const char* windowsFolder; // WINDIR as set, {home} expanded
    const char* target;        // typed on the target folder page
    const char* installed;     // where the target lies, under the sandbox
    const char* twin =
        nullptr; // a folder made beforehand, under the sandbox, with its sound folders
    // Lines of the script replaced before the run ("from" then "to", twice at most).
    const char* edits[4] = {};
};

const char* const kStandardDrives = "cdz";

const WriteScenario kWriteScenarios[] = {
    {"withoutZ", "cd", "D:\\setup", "C:\\Windows", "C:\\Games\\Moonrise Harbour",
     "c/Games/Moonrise Harbour"},
    {"programOutsideEveryDrive", "c", "{medium}/setup", "C:\\Windows",
     "C:\\Games\\Moonrise Harbour", "c/Games/Moonrise Harbour"},
    {"nativeWindowsFolder", kStandardDrives, "D:\\setup", "{home}/Windows",
     "C:\\Games\\Moonrise Harbour", "c/Games/Moonrise Harbour"},
    {"dotDotInTheTarget", kStandardDrives, "D:\\setup", "C:\\Windows", "C:\\..\\escaped-install",
     "c/escaped-install"},
    {"caseTwinOfTheTarget", kStandardDrives, "D:\\setup", "C:\\Windows",
     "C:\\Games\\Moonrise Harbour", "c/Games/Moonrise Harbour", "c/games/moonrise harbour"},
    {"dotDotInScriptNames",
     kStandardDrives,
     "D:\\setup",
     "C:\\Windows",
     "C:\\Games\\Moonrise Harbour",
     "c/Games/Moonrise Harbour",
     nullptr,
     {"Bitmap=title.bmp", "Bitmap=..\\..\\escaped.bmp", "Description1=Read me.lnk",
      "Description1=..\\..\\..\\..\\evil.lnk"}},
};

class WhereTheRunWrites : public InstallRun, public testing::WithParamInterface<WriteScenario> {
protected:
    std::string expand(std::string text) const {
        for (const auto& [name, folder] :
             {std::pair{"{home}", sandbox.home()}, std::pair{"{medium}", sandbox.medium()}})
            for (auto at = text.find(name); at != std::string::npos; at = text.find(name))
                text.replace(at, std::string(name).size(), folder.string());
        return text;
    }

    void SetUp() override {
        if (kTestsRunOnWindows)
            GTEST_SKIP() << "the machines are the POSIX backend's mapping: native paths as the "
                            "program's own and the Windows folder, letter-case twins, and drives "
                            "in the sandbox's folder for a tree compared before and after";
        const WriteScenario& scenario = GetParam();
        sandbox.presentDrives(scenario.drives);
        platform::overrideOwnProgramPath(expand(scenario.program));
        setenv("WINDIR", expand(scenario.windowsFolder).c_str(), 1);
        for (int at = 0; at < 4 && scenario.edits[at]; at += 2)
            editScript(scenario.edits[at], scenario.edits[at + 1]);
        if (scenario.twin) {
            const fs::path twin = sandbox.medium().parent_path() / scenario.twin;
            fs::create_directories(twin / "music");
            fs::create_directories(twin / "speech");
            // The target itself exists beside its twin, so the sounds could go either way.
            fs::create_directories(sandbox.medium().parent_path() / scenario.installed);
        }
        // The script is found beside the program only through a drive path.
        ASSERT_EQ(platform::ownProgramPath().substr(1, 2), ":\\");
    }
};

TEST_P(WhereTheRunWrites, everyNewOrChangedFileLiesWhereItBelongs) {
    const WriteScenario& scenario = GetParam();
    const fs::path root = sandbox.medium().parent_path();
    const fs::path installed = root / scenario.installed;
    const fs::path windows = sandbox.home() / "Windows";
    const TreeSnapshot before(root);
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kFullId))
        .then("target folder", chooseFolder(scenario.target));
    if (!fs::exists(installed))
        dialogs.thenMessage(kCreateFolder, wxID_YES);
    dialogs.then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    EXPECT_EQ(runInstall(dialogs), wxID_CANCEL);
    EXPECT_TRUE(fs::exists(installed / "harbour.exe"));
    EXPECT_TRUE(fs::exists(installed / "speech" / "welcome.wav"));
    EXPECT_TRUE(fs::exists(shortcutFile(sandbox.programGroup(), "Moonrise Harbour.lnk")));
    EXPECT_TRUE(fs::exists(sandbox.sharedUninstaller()));

    // The program group's menu folder is described beside the desktop's menus.
    const fs::path allowed[] = {installed,
                                sandbox.programGroup(),
                                sandbox.registryFolder(),
                                sandbox.registryFolder().string() + "-journals",
                                windows,
                                root / "apps/desktop-directories",
                                root / "config/menus/applications-merged"};
    for (const fs::path& path : TreeSnapshot(root).changedSince(before)) {
        if (path == root / "opened.txt") // the desktop opener's record, not the program's
            continue;
        // Folders on the way to a place that may be written are made as needed.
        const bool fits =
            std::any_of(std::begin(allowed), std::end(allowed), [&](const fs::path& folder) {
                return liesInside(path, folder) ||
                       (fs::is_directory(path) && liesInside(folder, path));
            });
        EXPECT_TRUE(fits) << "written outside: " << path;
    }
}

INSTANTIATE_TEST_SUITE_P(AdversarialMachines, WhereTheRunWrites, testing::ValuesIn(kWriteScenarios),
                         [](const testing::TestParamInfo<WriteScenario>& info) {
                             return std::string(info.param.name);
                         });

// With both optional pages off the target folder page comes first and the run completes. The
// title picture named outside the target is left out rather than copied beside it.
TEST_F(InstallRun, withoutLicenceAndInstallTypeTheTargetPageComesFirst) {
    editScript("show_licence=true", "show_licence=false");
    editScript("show_install_mode=true", "show_install_mode=false");
    editScript("Bitmap=title.bmp", "Bitmap=..\\escaped.bmp");
    fs::copy_file(sandbox.medium() / "title.bmp", sandbox.medium().parent_path() / "escaped.bmp");
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("target folder", chooseFolder("C:\\Games\\Moonrise Harbour"))
        .thenMessage(kCreateFolder, wxID_YES, kGameName, wxICON_QUESTION)
        .then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK, "Moonrise Harbour - Setup", wxICON_INFORMATION)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    EXPECT_EQ(runInstall(dialogs), wxID_CANCEL);
    EXPECT_TRUE(sameFile("data/maps/south.map")) << "the standard list";
    EXPECT_TRUE(fs::exists(target() / "speech/welcome.wav"));
    EXPECT_TRUE(fs::exists(target() / "install.ini"));
    EXPECT_FALSE(fs::exists(target().parent_path() / "escaped.bmp"));
}

// A folder that cannot be made, and a file where the folder should be, end in the stop box;
// for the file nothing is asked first, as no folder is missing.
TEST_F(InstallRun, targetFolderThatCannotBeMadeShowsTheStopBox) {
    fs::create_directories(sandbox.home());
    std::ofstream(sandbox.home() / "Blocked") << "a file";
    ScriptedDialogs& dialogs = startDialogs();
    dialogs.then("agreement", answer(wxID_OK))
        .then("install type", answer(wxID_OK))
        .then("target folder", chooseFolder("C:\\Blocked\\Harbour"))
        .thenMessage(kCreateFolder, wxID_YES, kGameName, wxICON_QUESTION)
        .thenMessage(kFolderNotMade, wxID_OK, kGameName, wxICON_ERROR)
        .then("agreement again", answer(wxID_OK))
        .then("install type again", answer(wxID_OK))
        .then("target folder again", chooseFolder("C:\\Blocked"))
        .thenMessage(kFolderNotMade, wxID_OK, kGameName, wxICON_ERROR);
    EXPECT_EQ(runInstall(dialogs, 2), kGivenBack);
    EXPECT_EQ(readWholeFile(sandbox.home() / "Blocked"), "a file");
    expectNothingRecorded();
}

} // namespace
