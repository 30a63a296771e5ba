// The unattended run against the interactive one on the demo medium, the run log, the space
// question, and the program's exit status for whole command lines.
#include "app/SetupDialog.h"
#include "copy/SpaceCheck.h"
#include "e2e/DialogSteps.h"
#include "e2e/InstallSandbox.h"
#include "platform/Environment.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "support/HostCommand.h"
#include "support/ShortcutFile.h"
#include "system/RegistryStrings.h"

#include <wx/msgdlg.h>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <functional>

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// Every file under the folder with its bytes, by its path under the folder.
std::map<std::string, std::string> filesIn(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& item : fs::recursive_directory_iterator(root))
        if (!item.is_directory())
            files[fs::relative(item.path(), root).generic_string()] = readWholeFile(item.path());
    return files;
}

const char* kCreateFolder = "The folder does not exist. Do you want to create it?";
const char* kFinished = "Moonrise Harbour has been installed. Fair winds!";
const char* kOtherProgram = "Do you want to set up your controls now?";
const char* kDirectX = "Do you want to install the graphics runtime (DirectX) now?";
// The minimal list is 9132 bytes of plain files; the test's disk has 4 KB.
const char* kNoSpace = "The installation needs 9 KB, but only 4 KB is free on the disk of the "
                       "target folder. Do you want to install anyway?";
const char* kFolder = "C:\\Games\\Moonrise Harbour";

// Everything a run leaves on the machine, by path: its files' bytes.
using Snapshot = std::map<std::string, std::string>;

class UnattendedRun : public testing::Test {
protected:
    ~UnattendedRun() override {
        runlog::close();
        overrideFreeSpace({});
    }

    fs::path target() const { return sandbox.home() / "Games/Moonrise Harbour"; }
    fs::path applications() const { return sandbox.programGroup().parent_path().parent_path(); }

    Snapshot snapshot() const {
        Snapshot files;
        for (const fs::path& root : {target(), sandbox.registryFolder(), applications(),
                                     sandbox.sharedUninstaller().parent_path()}) {
            if (!fs::exists(root))
                continue;
            for (const auto& item : fs::recursive_directory_iterator(root))
                if (item.is_regular_file())
                    files[item.path().string()] = contentOf(item.path());
        }
        return files;
    }

    // A file's bytes; a Windows shortcut's fields, as its bytes hold the target's file times.
    static std::string contentOf(const fs::path& file) {
        ShortcutFields link;
        if (kTestsRunOnWindows && file.extension() == ".lnk" && readShortcut(file, link))
            return link.target.string() + "|" + link.arguments + "|" + link.workFolder.string() +
                   "|" + link.description;
        return readWholeFile(file);
    }

    void forgetInstallation() {
        for (const fs::path& root :
             {target(), applications(), sandbox.sharedUninstaller().parent_path()})
            fs::remove_all(root);
        sandbox.forgetRecords();
    }

    // Whether the run left the installation's record in the registry.
    static bool recorded() {
        std::string value;
        return readRegistryString(platform::RegistryHive::CurrentUser,
                                  "Software\\Tervalis\\MoonriseHarbour_English", "Lang", value);
    }

    int interactiveRun(ScriptedDialogs& dialogs, int runs = 1) {
        SetupDialog window(nullptr);
        EXPECT_TRUE(window.initialise());
        window.CallAfter([&] {
            for (int run = 0; run < runs && stillOpen(window); ++run)
                window.runInstallSequence();
            if (stillOpen(window))
                window.EndModal(wxID_ABORT);
        });
        const int result = window.ShowModal();
        dialogs.checkAllShown();
        return result;
    }

    int unattendedRun(const std::vector<std::string>& arguments) {
        const CommandLine options = parseCommandLine(arguments);
        EXPECT_EQ(options.action, CommandLine::Action::Run) << options.error;
        SetupDialog window(nullptr);
        return window.runUnattended(options);
    }

    // The program itself, run from the sandbox's medium; its exit status.
    int program(const std::vector<std::string>& arguments) {
        const ToolRun run = runTool(sandbox.setupProgram(), arguments, fs::current_path());
        output = run.output;
        return run.status;
    }

    // The log's lines of the given kinds, in order.
    static std::string logLines(const fs::path& log, std::initializer_list<const char*> kinds) {
        std::istringstream lines(readLog(log));
        std::string line, kept;
        while (std::getline(lines, line))
            for (const char* kind : kinds)
                if (line.rfind(std::string(kind) + ": ", 0) == 0)
                    kept += line + "\n";
        return kept;
    }

    InstallSandbox sandbox;
    TempFolder logs;
    std::string output; // of the last program run
};

// The keyboard walkthrough's answers (English, full, the default folder) given on the command
// line: the same files, WAVE bytes, registry values and menu entries, and the same logged steps.
TEST_F(UnattendedRun, leavesWhatTheInteractiveRunLeaves) {
    ASSERT_TRUE(runlog::open((logs / "interactive.log").string()));
    {
        ScriptedDialogs dialogs;
        dialogs.then("main window", answer(ScriptedDialogs::kRunForReal))
            .then("agreement", answer(wxID_OK))
            .then("install type", chooseInstallType(InstallTypePage::kFullId))
            .then("target folder", chooseFolder(kFolder))
            .thenMessage(kCreateFolder, wxID_YES)
            .then("copy", copyForReal())
            .thenMessage(kFinished, wxID_OK)
            .thenMessage(kOtherProgram, wxID_NO)
            .thenMessage(kDirectX, wxID_NO);
        ASSERT_EQ(interactiveRun(dialogs), wxID_CANCEL);
    }
    const Snapshot interactive = snapshot();
    ASSERT_TRUE(fs::exists(target() / "music/theme.wav"));
    forgetInstallation();

    ASSERT_TRUE(runlog::open((logs / "unattended.log").string()));
    {
        ScriptedDialogs dialogs; // the copy's window is the only one
        dialogs.then("copy", copyForReal());
        EXPECT_EQ(
            unattendedRun({"--silent", "--dir", kFolder, "--type", "max", "--language", "English"}),
            0);
        dialogs.checkAllShown();
    }
    runlog::close();
    const Snapshot unattended = snapshot();
    EXPECT_EQ(unattended.size(), interactive.size());
    for (const auto& [path, bytes] : interactive) {
        const auto found = unattended.find(path);
        EXPECT_TRUE(found != unattended.end() && found->second == bytes) << path;
    }

    const auto steps = {"copied", "converted", "registry", "program group", "shortcut"};
    const std::string done = logLines(logs / "interactive.log", steps);
    EXPECT_EQ(logLines(logs / "unattended.log", steps), done);
    EXPECT_NE(done.find("copied: data\\textures\\water.tex (65536 bytes)\n"), std::string::npos);
    EXPECT_NE(done.find("converted: music\\theme.wav (" +
                        std::to_string(fs::file_size(target() / "music/theme.wav")) + " bytes)"),
              std::string::npos);
    EXPECT_NE(done.find("registry: HKEY_CURRENT_USER\\Software\\Tervalis\\MoonriseHarbour_English"
                        "\\ProgramPath = C:\\Games\\Moonrise Harbour\n"),
              std::string::npos);
    const std::string answers = logLines(logs / "interactive.log",
                                         {"language", "install type", "target folder", "question"});
    EXPECT_EQ(answers, "language: English\ninstall type: max\ntarget folder: " +
                           std::string(kFolder) + "\nquestion: " + kCreateFolder + " -> Yes\n" +
                           "question: " + kOtherProgram + " -> No\nquestion: " + kDirectX +
                           " -> No\n");
    EXPECT_NE(readLog(logs / "interactive.log").find("finishing: DirectX declined\n"),
              std::string::npos);
}

// No to the space question leaves nothing behind and gives the window back; Yes installs.
TEST_F(UnattendedRun, tooLittleSpaceAsksWithTheNumbers) {
    overrideFreeSpace([](const std::string&) { return std::optional<std::uint64_t>(4096); });
    ScriptedDialogs dialogs;
    dialogs.then("main window", answer(ScriptedDialogs::kRunForReal))
        .then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kMinimalId))
        .then("target folder", chooseFolder(kFolder))
        .thenMessage(kCreateFolder, wxID_YES)
        .thenMessage(kNoSpace, wxID_NO, "Moonrise Harbour", wxICON_QUESTION)
        .then("agreement", answer(wxID_OK))
        .then("install type", chooseInstallType(InstallTypePage::kMinimalId))
        .then("target folder", answer(wxID_OK))
        .thenMessage(kCreateFolder, wxID_YES)
        .thenMessage(kNoSpace, wxID_YES)
        .then("copy", copyForReal())
        .thenMessage(kFinished, wxID_OK)
        .thenMessage(kOtherProgram, wxID_NO)
        .thenMessage(kDirectX, wxID_NO);
    // The first run stops at the question; the check between runs sees what it left.
    bool leftNothing = false;
    {
        SetupDialog main(nullptr);
        ASSERT_TRUE(main.initialise());
        main.CallAfter([&] {
            main.runInstallSequence();
            leftNothing = !fs::exists(target()) && !fs::exists(sandbox.home() / "Games") &&
                          !fs::exists(sandbox.registryFolder() / "current-user.reg") && !recorded();
            if (stillOpen(main))
                main.runInstallSequence();
            if (stillOpen(main))
                main.EndModal(wxID_ABORT);
        });
        EXPECT_EQ(main.ShowModal(), wxID_CANCEL);
    }
    dialogs.checkAllShown();
    EXPECT_TRUE(leftNothing);
    EXPECT_TRUE(fs::exists(target() / "data/levels/level5.lvl"));
}

// Unattended, too little space fails the run before anything is made, unless told to go on.
TEST_F(UnattendedRun, tooLittleSpaceFailsAnUnattendedRunUnlessIgnored) {
    overrideFreeSpace([](const std::string&) { return std::optional<std::uint64_t>(4096); });
    ASSERT_TRUE(runlog::open((logs / "run.log").string()));
    EXPECT_EQ(unattendedRun({"--quiet", "--type", "min"}), 1);
    EXPECT_FALSE(fs::exists(target()));
    EXPECT_NE(readLog(logs / "run.log").find(std::string("failed: ") + kNoSpace),
              std::string::npos);
    EXPECT_NE(readWholeFile(logs / "run.log").find("(--ignore-space installs all the same)"),
              std::string::npos);
    EXPECT_EQ(unattendedRun({"--quiet", "--type", "min", "--ignore-space"}), 0);
    EXPECT_TRUE(fs::exists(target() / "data/levels/level5.lvl"));
}

TEST_F(UnattendedRun, theProgramsExitStatusTellsTheOutcome) {
    EXPECT_EQ(program({"--help"}), 0);
    EXPECT_NE(output.find("Usage:"), std::string::npos);
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"--silent", "--type", "full"},
                                               {"--dir", "C:\\Games"},
                                               {"--silent", "--log"},
                                               {"--quiet", "--dir", "relative\\folder"}}) {
        EXPECT_EQ(program(bad), 2) << bad.back();
        EXPECT_NE(output.find("Usage:"), std::string::npos) << bad.back();
    }

    std::ofstream(sandbox.home() / "Blocked") << "a file";
    EXPECT_EQ(program({"--quiet", "--dir", "C:\\Blocked\\Harbour", "--log",
                       (logs / "fail.log").string()}),
              1);
    EXPECT_NE(output.find("The folder could not be created."), std::string::npos);
    EXPECT_NE(readLog(logs / "fail.log").find("failed: The folder could not be created."),
              std::string::npos);
    EXPECT_EQ(program({"--quiet", "--log", (logs / "no/such/folder.log").string()}), 1);
    EXPECT_NE(output.find("cannot write the log"), std::string::npos);
    EXPECT_FALSE(fs::exists(target())) << "nothing is installed without the log asked for";
    // A language the script does not list is a bad command line, refused with the list.
    EXPECT_EQ(program({"--quiet", "--language", "Klingon"}), 2);
    EXPECT_NE(output.find("lists no language \"Klingon\"; it lists English, Polski"),
              std::string::npos)
        << output;

    // A quiet run starts no toolkit: it needs no display.
    const fs::path log = logs / "polski.log";
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display ? display : "";
    unsetenv("DISPLAY");
    EXPECT_EQ(program({"--quiet", "--dir", "C:\\Games\\Moonrise Harbour", "--type", "max",
                       "--language", "Polski", "--log", log.string()}),
              0)
        << output;
    if (!savedDisplay.empty())
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    EXPECT_TRUE(fs::exists(target() / "speech/goodbye.wav"));
    EXPECT_TRUE(fs::exists(shortcutFile(sandbox.programGroup(), "Przeczytaj mnie.lnk")));
    EXPECT_EQ(sandbox.opened(), "") << "nothing was opened for a person to see";
    // A run that goes well prints nothing; what the decoders say of each stream is the log's.
    EXPECT_EQ(output, "");
    const std::string text = readLog(log);
    for (const char* step :
         {"language: Polski\n", "install type: max\n", "copied: extras\\artwork\\sketch2.txt (",
          "converted: speech\\welcome.wav (", "shortcut: ", "decoder: Bitstream is 2 channel",
          "decoder: Decoding 16000 Hz audio using wideband",
          "finishing: script copied with its language", "installed: C:\\Games\\Moonrise Harbour\n"})
        EXPECT_NE(text.find(step), std::string::npos) << step;
}

// The product's uninstaller removes the folder it was installed into: a drive's root and the
// person's home folder are refused whoever names them, the command line or the script, in the
// run's language, before anything is made.
TEST_F(UnattendedRun, aDriveRootOrTheHomeFolderIsNeverTheTarget) {
    const std::string home = kTestsRunOnWindows
                                 ? platform::environmentValue("USERPROFILE")
                                 : platform::toDrivePath(platform::environmentValue("HOME"));
    ASSERT_FALSE(home.empty());
    const struct {
        std::vector<std::string> arguments;
        const char* says;
    } runs[] = {
        {{"--dir", "C:\\", "--language", "English"}, "C:\\ is the root of a drive:"},
        {{"--dir", "D:\\", "--language", "English"}, "D:\\ is the root of a drive:"},
        {{"--dir", "c:\\Games\\..\\.", "--language", "Polski"}, "c:\\ to katalog główny dysku:"},
        {{"--dir", "D:\\", "--language", "Polski"}, "D:\\ to katalog główny dysku:"},
        {{"--dir", home, "--language", "English"}, " is your home folder:"},
    };
    const Snapshot before = snapshot();
    for (const auto& run : runs) {
        std::vector<std::string> arguments = {"--quiet", "--type", "max"};
        arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
        EXPECT_EQ(program(arguments), 1) << run.arguments[1];
        EXPECT_NE(output.find(run.says), std::string::npos) << output;
    }
    // The script's own default is held to the same rule.
    const fs::path script = sandbox.medium() / "install.ini";
    std::string text = readWholeFile(script);
    const std::string folderKey = "IDS_DOMYSLNY_KATALOG=C:\\Games\\Moonrise Harbour";
    ASSERT_NE(text.find(folderKey), std::string::npos);
    text.replace(text.find(folderKey), folderKey.size(), "IDS_DOMYSLNY_KATALOG=C:\\");
    std::ofstream(script, std::ios::binary) << text;
    EXPECT_EQ(program({"--quiet", "--language", "English"}), 1);
    EXPECT_NE(output.find("C:\\ is the root of a drive:"), std::string::npos) << output;
    EXPECT_EQ(snapshot(), before) << "a refused run made nothing";
    EXPECT_FALSE(recorded());
}

// The uninstall menu entry, started as a desktop starts it, uninstalls by the installation's
// journal: the files it put there, and only the folders that are then empty. A target that held
// the person's files before, and files the person added later, keep them, and nothing outside
// the target changes; the demo's own uninstaller, which goes by the names of its files, does the
// same.
TEST_F(UnattendedRun, uninstallingRemovesOnlyWhatTheInstallationMade) {
    if (kTestsRunOnWindows)
        GTEST_SKIP() << "the menu entries are the desktop's, started by Linux desktops";
    const fs::path games = sandbox.home() / "Games";
    const std::vector<std::string> before = {"Other Game/game.exe", "notes.txt", "readme.txt.bak"};
    const std::vector<std::string> later = {"saves/slot1.sav", "data/levels/my-level.lvl",
                                            "music/my-mix.wav"};
    const auto write = [](const fs::path& file, const std::string& text) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    };
    for (const std::string& file : before)
        write(games / file, "the person's own " + file);
    write(sandbox.home() / "Documents/thesis.txt", "years of work");
    ASSERT_EQ(program({"--quiet", "--dir", "C:\\Games", "--type", "max", "--language", "English"}),
              0)
        << output;
    ASSERT_TRUE(fs::exists(games / "speech/welcome.wav"));
    for (const std::string& file : later)
        write(games / file, "the person's own " + file);

    std::map<std::string, std::string> outside = filesIn(sandbox.home());
    std::erase_if(outside, [](const auto& file) { return file.first.starts_with("Games/"); });

    ShortcutFields uninstaller;
    ASSERT_TRUE(readShortcut(shortcutFile(sandbox.programGroup(), "Uninstall Moonrise Harbour.lnk"),
                             uninstaller));
    EXPECT_EQ(uninstaller.arguments, "\"--uninstall\" \"Moonrise Harbour\"");
    const ToolRun run =
        runTool(uninstaller.target, {"--uninstall", "Moonrise Harbour"}, uninstaller.workFolder);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(fs::exists(sandbox.programGroup())) << "no menu entry of the game is left";
    EXPECT_FALSE(recorded()) << "no registry record of the game is left";

    std::map<std::string, std::string> kept;
    for (const std::vector<std::string>* files : {&before, &later})
        for (const std::string& file : *files)
            kept[file] = "the person's own " + file;
    EXPECT_EQ(filesIn(games), kept);
    EXPECT_FALSE(fs::exists(games / "speech")) << "a folder left empty is removed";
    std::map<std::string, std::string> outsideAfter = filesIn(sandbox.home());
    std::erase_if(outsideAfter, [](const auto& file) { return file.first.starts_with("Games/"); });
    EXPECT_EQ(outsideAfter, outside);

    // Without the person's files the folder goes with the game's.
    ASSERT_EQ(program({"--quiet", "--dir", "C:\\Games\\Moonrise Harbour", "--type", "max",
                       "--language", "English"}),
              0);
    EXPECT_EQ(runTool(games / "Moonrise Harbour/uninstall.exe", {}, games).status, 0);
    EXPECT_FALSE(fs::exists(games / "Moonrise Harbour"));
    EXPECT_EQ(filesIn(games), kept);
}

// Unattended, a script or a log that cannot be used fails the run before anything is made,
// and says why rather than that no language fits.
TEST_F(UnattendedRun, anUnreadableScriptOrLogSaysWhy) {
    const fs::path script = sandbox.medium() / "install.ini";
    const fs::path saved = logs / "install.ini.saved";
    fs::rename(script, saved);
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 37 + 11) % 256 == '[' ? 0 : (i * 37 + 11) % 256);
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* why;
    };
    std::vector<Case> cases = {
        {"folder", [&] { fs::create_directory(script); }, "not a regular file"},
        {"huge", [&] { std::ofstream(script) << "[Option]\n"; fs::resize_file(script, 65u << 20); },
         "larger than 64 MiB"},
        {"random bytes", [&] { std::ofstream(script, std::ios::binary) << garbage; },
         "no setup script"},
        {"missing", [] {}, "not found"},
    };
#ifndef _WIN32 // named pipes are a POSIX kind of file
    cases.push_back({"pipe", [&] { ASSERT_EQ(mkfifo(script.c_str(), 0600), 0); }, "not a regular file"});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.make();
        EXPECT_EQ(program({"--quiet"}), 1);
        // Where the program lives apart from the disc, no script beside it sends it to the
        // mounted discs: the sandbox has none.
        const bool apart = !kTestsRunOnWindows && std::string(c.what) == "missing";
        EXPECT_NE(output.find(apart ? "No disc with a setup program" : "the script could not be read: "),
                  std::string::npos)
            << output;
        if (!apart) {
            EXPECT_NE(output.find(c.why), std::string::npos) << output;
        }
        std::error_code ignored;
        fs::remove(script, ignored);
    }
    fs::rename(saved, script);
#ifndef _WIN32 // a device to log into
    EXPECT_EQ(program({"--quiet", "--log", "/dev/full"}), 1);
    EXPECT_NE(output.find("cannot write the log"), std::string::npos);
#endif
    EXPECT_FALSE(fs::exists(target()));
}

} // namespace

namespace {

// A data file changed and a decoded sound removed are named by --verify, put back by --repair from
// the medium (the sound decoded again), and the rest is left as it was.
TEST_F(UnattendedRun, verifyNamesWhatChangedAndRepairPutsBackExactlyThat) {
    ASSERT_EQ(program({"--quiet", "--type", "max", "--language", "English"}), 0) << output;
    const fs::path map = target() / "data/maps/north.map";
    const fs::path sound = target() / "speech/welcome.wav";
    const fs::path untouched = target() / "music/theme.wav";
    const std::string mapBytes = readWholeFile(map);
    const auto untouchedTime = fs::last_write_time(untouched);
    std::ofstream(map, std::ios::binary) << "edited";
    fs::remove(sound);

    EXPECT_EQ(program({"--verify", "Moonrise Harbour"}), 1);
    for (const fs::path& named : {map, sound})
        EXPECT_NE(output.find(named.filename().string()), std::string::npos) << output;
    EXPECT_NE(output.find("changed: "), std::string::npos) << output;
    EXPECT_NE(output.find("missing: "), std::string::npos) << output;
    EXPECT_EQ(output.find("theme.wav"), std::string::npos) << output;

    EXPECT_EQ(program({"--repair", "Moonrise Harbour", sandbox.medium().string()}), 0) << output;
    EXPECT_EQ(readWholeFile(map), mapBytes);
    EXPECT_TRUE(fs::exists(sound));
    EXPECT_EQ(fs::last_write_time(untouched), untouchedTime) << "what was in place is left alone";
    EXPECT_EQ(program({"--verify", "Moonrise Harbour", sandbox.medium().string()}), 0) << output;
}

} // namespace

namespace {

// An unattended run asked to undo a failure leaves the target as it found it: what it made goes,
// the person's file it replaced comes back, and nothing is recorded; a run that succeeds keeps
// nothing aside.
TEST_F(UnattendedRun, undoOnFailureLeavesTheTargetAsItWas) {
    const fs::path archive = sandbox.medium() / "speech/speech.snd";
    const std::string whole = readWholeFile(archive);
    std::ofstream(archive, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 2);
    fs::create_directories(target());
    std::ofstream(target() / "readme.txt", std::ios::binary) << "the person's own readme";
    std::ofstream(target() / "notes.txt", std::ios::binary) << "the person's notes";
    const auto before = filesIn(target());

    EXPECT_EQ(program({"--quiet", "--undo-on-failure", "--type", "max", "--language", "English"}), 1);
    EXPECT_NE(output.find("speech"), std::string::npos) << output;
    EXPECT_EQ(filesIn(target()), before);
    EXPECT_FALSE(recorded());

    std::ofstream(archive, std::ios::binary | std::ios::trunc) << whole;
    ASSERT_EQ(program({"--quiet", "--undo-on-failure", "--type", "max", "--language", "English"}), 0)
        << output;
    for (const auto& [name, bytes] : filesIn(target()))
        EXPECT_EQ(name.find(".kept-by-setup"), std::string::npos) << name << " was left aside";
}

} // namespace
