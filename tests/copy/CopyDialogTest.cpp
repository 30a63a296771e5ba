// The copy dialog run for real: its own ShowModal, its copying thread, real files.
#include "SoundFixtures.h"
#include "pages/CopyProgressDialog.h"
#include "copy/SoundArchiveRecord.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "support/ControlReader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const char kLanguage[] = "[English]\n"
                         "IDS_KOPIOWANIE_PLIKOW=Copying files\n"
                         "IDS_PRZERWIJ=Abort\n"
                         "IDS_KOPIUJE_TERAZ_PLIK=Now copying\n"
                         "IDS_E_WRITEOFILE=Cannot write\n";

// Whether this process holds the file open. Windows refuses to rename a file that is open
// without delete sharing, as the C runtime opens files.
bool heldOpen(const fs::path& file) {
#ifdef _WIN32
    const fs::path moved = file.string() + ".moved";
    if (!MoveFileW(file.wstring().c_str(), moved.wstring().c_str()))
        return true;
    MoveFileW(moved.wstring().c_str(), file.wstring().c_str());
    return false;
#else
    for (const auto& fd : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::equivalent(fs::read_symlink(fd.path(), error), file, error))
            return true;
    }
    return false;
#endif
}

// A medium (the current folder and the program's own folder) and a target folder beside it.
class CopyDialogTest : public testing::Test {
protected:
    void SetUp() override {
        savedFolder = platform::currentFolder();
        ASSERT_TRUE(platform::changeFolder(drivePath(medium.path())));
        platform::overrideOwnProgramPath(drivePath(medium.path()) + "\\setup.exe");
        fs::create_directory(place / "target");
        targetFolder = drivePath(place / "target");
    }
    void TearDown() override {
        platform::changeFolder(savedFolder);
        platform::overrideOwnProgramPath("");
    }

    void writeScript(const std::vector<std::string>& entries) {
        medium.write("install.ini", copyListScript(kLanguage, entries));
    }

    // Runs the dialog; onTick sees every look of the window at the copy before the dialog does.
    int runDialog(const std::function<void(CopyProgressDialog&, int)>& onTick = {}) {
        CopyEngine engine(&targetFolder, SetupScript(drivePath(medium / "install.ini"), "English"));
        CopyProgressDialog dialog(nullptr);
        dialog.Bind(wxEVT_TIMER, [&](wxTimerEvent& event) {
            event.Skip(); // the dialog's own unit of this tick, unless it has ended
            if (!dialog.IsShown())
                return; // a tick still queued when the dialog ended
            ++ticks;
            statusLines.push_back(statusLine(dialog));
            if (onTick)
                onTick(dialog, ticks);
            if (ticks > 2000)
                dialog.EndModal(wxID_ABORT); // a copy that never ends fails here, not by hanging
        });
        title = dialog.GetTitle().ToStdString();
        const int result =
            dialog.runCopy(engine) == CopyEngine::Result::Finished ? wxID_OK : wxID_CANCEL;
        title = dialog.GetTitle().ToStdString();
        errorText = engine.getErrorText();
        finalStatus = statusLine(dialog);
        if (auto* gauge = dynamic_cast<wxGauge*>(dialog.FindWindow(1001)))
            gaugeRange = gauge->GetRange(), gaugeValue = gauge->GetValue();
        return result;
    }

    static std::string statusLine(wxDialog& dialog) {
        auto* text = dynamic_cast<wxStaticText*>(dialog.FindWindow(1012));
        return text ? text->GetLabel().ToStdString() : "<no status line>";
    }

    static void pressAbort(wxDialog& dialog) {
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(dialog.FindWindow(wxID_CANCEL));
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    fs::path target(const std::string& relative) const { return place / "target" / relative; }

    std::vector<std::string> targetFiles(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& item : fs::directory_iterator(target(folder)))
            names.push_back(item.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder place;
    TempFolder medium;
    std::string savedFolder;
    std::string targetFolder;
    int ticks = 0;
    std::vector<std::string> statusLines;
    std::string finalStatus;
    std::string title;
    std::string errorText;
    int gaugeRange = -1;
    int gaugeValue = -1;
};

TEST_F(CopyDialogTest, EmptyListEndsWithOk) {
    writeScript({});
    EXPECT_EQ(runDialog(), wxID_OK);
    EXPECT_EQ(title, "Copying files");
    EXPECT_EQ(gaugeRange, 0);
    EXPECT_EQ(errorText, "");
}

TEST_F(CopyDialogTest, AReaderHearsTheAbortButtonByItsTextAndTheBarByTheCaption) {
    writeScript({"readme.txt"});
    medium.write("readme.txt", "text");
    const struct {
        int id;
        const char* name;
    } controls[] = {{wxID_CANCEL, "Abort"}, {1001, "Copying files"}};
    std::vector<std::string> names;
    runDialog([&](CopyProgressDialog& dialog, int tick) {
        if (tick == 1)
            for (const auto& control : controls)
                names.push_back(readControl(*dialog.FindWindow(control.id)).name);
    });
    ASSERT_EQ(names.size(), std::size(controls));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], controls[i].name);
}

TEST_F(CopyDialogTest, CopiesEntriesWithAndWithoutAFolderPart) {
    medium.write("readme.txt", "read me");
    medium.write("Data/Intro.bmp", "picture");
    medium.write("levels/one.lvl", "1");
    medium.write("levels/two.lvl", "2");
    fs::permissions(medium / "readme.txt", fs::perms::owner_read);
    writeScript({"readme.txt", "Data\\Intro.bmp", "levels\\", "readme.txt"});
    EXPECT_EQ(runDialog(), wxID_OK);
    EXPECT_EQ(readWholeFile(target("readme.txt")), "read me");
    EXPECT_EQ(readWholeFile(target("Data/Intro.bmp")), "picture");
    EXPECT_EQ(targetFiles("levels"), (std::vector<std::string>{"one.lvl", "two.lvl"}));
    // Copies are left writable although the medium's file is read-only.
    EXPECT_NE(fs::status(target("readme.txt")).permissions() & fs::perms::owner_write,
              fs::perms::none);
    EXPECT_EQ(gaugeRange, 5);
    EXPECT_EQ(gaugeValue, 5);
    EXPECT_EQ(finalStatus, "Now copying readme.txt");
}

// The status line and the bar change at most once a display period, since each change costs a
// layout and drawing; they still name entries in the list's order and end on the last one.
TEST_F(CopyDialogTest, TheDisplayFollowsAtMostOnceAPeriodInTheListsOrder) {
    constexpr int kFiles = 1500;
    std::vector<std::string> entries;
    for (int i = 0; i < kFiles; ++i) {
        entries.push_back("data\\f" + std::to_string(i) + ".txt");
        medium.write("data/f" + std::to_string(i) + ".txt", "x");
    }
    writeScript(entries);
    int barChanges = 0;
    int lastBar = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runDialog([&](CopyProgressDialog& dialog, int) {
                  const int bar = dynamic_cast<wxGauge*>(dialog.FindWindow(1001))->GetValue();
                  barChanges += bar != lastBar;
                  lastBar = bar;
              }),
              wxID_OK);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const long periods = elapsed / std::chrono::milliseconds(CopyProgressDialog::kDisplayPeriodMs);
    std::vector<std::string> shown;
    for (const auto& line : statusLines)
        if (!line.empty() && (shown.empty() || shown.back() != line))
            shown.push_back(line);
    EXPECT_LE(static_cast<long>(shown.size()), periods + 1);
    EXPECT_LE(barChanges, periods + 1);
    auto next = entries.begin();
    for (const auto& line : shown) {
        next = std::find(next, entries.end(), line.substr(std::string("Now copying ").size()));
        EXPECT_NE(next, entries.end()) << line << " out of the list's order";
    }
    EXPECT_EQ(finalStatus, "Now copying " + entries.back());
    EXPECT_EQ(gaugeValue, kFiles);
}

TEST_F(CopyDialogTest, ArchiveRecordsLandAsWaveFilesAndTemporaryFilesAreGone) {
    medium.write("sounds/speech.snd", encodeRecord(kCodecVorbis, "Intro.OGG", vorbisBytes()) +
                                          encodeRecord(kCodecSpeex, "Hello.spx", speexBytes()) +
                                          encodeRecord(2, "notes.txt", "not a sound"));
    medium.write("empty/none.snd", "");
    writeScript({"sounds\\speech.snd", "empty\\none.snd"});
    EXPECT_EQ(runDialog(), wxID_OK);
    EXPECT_EQ(targetFiles("sounds"), (std::vector<std::string>{"hello.wav", "intro.wav"}));
    EXPECT_EQ(readWholeFile(target("sounds/intro.wav")).substr(0, 4), "RIFF");
    EXPECT_EQ(readWholeFile(target("sounds/hello.wav")).substr(0, 4), "RIFF");
    EXPECT_TRUE(targetFiles("empty").empty()); // the 0-byte archive wrote nothing
}

TEST_F(CopyDialogTest, ReadOnlyDestinationFailsTheCopy) {
    medium.write("readme.txt", "new");
    medium.write("other.txt", "never copied");
    fs::create_directories(target(""));
    std::ofstream(target("readme.txt")) << "old";
    fs::permissions(target("readme.txt"), fs::perms::owner_read);
    writeScript({"readme.txt", "other.txt"});
    EXPECT_EQ(runDialog(), wxID_CANCEL);
    EXPECT_EQ(errorText, "Cannot write readme.txt");
    EXPECT_EQ(readWholeFile(target("readme.txt")), "old");
    EXPECT_FALSE(fs::exists(target("other.txt")));
}

// The failing entry is on the status line behind the error box, however soon after the
// previous one it came.
TEST_F(CopyDialogTest, MissingSourceNamesTheEntry) {
    medium.write("first.txt", "1");
    writeScript({"first.txt", "data\\gone.txt"});
    EXPECT_EQ(runDialog(), wxID_CANCEL);
    EXPECT_EQ(errorText, "Cannot write data\\gone.txt");
    EXPECT_EQ(finalStatus, "Now copying data\\gone.txt");
}

// Abort is answered while a long record converts: the copy stops at once, the archive is closed,
// and nothing of the record is left, neither the WAVE file nor the files it was made from.
TEST_F(CopyDialogTest, AbortDuringALongConversionStopsItAndLeavesNothingOfIt) {
    medium.write("music/music.snd", encodeRecord(kCodecVorbis, "one.ogg", vorbisBytes()) +
                                        encodeRecord(kCodecVorbis, "long.ogg", longVorbisBytes()));
    writeScript({"music\\music.snd"});
    const fs::path archive = medium / "music/music.snd";
    bool openWhenAborted = false;
    EXPECT_EQ(runDialog([&](CopyProgressDialog& dialog, int) {
                  if (statusLine(dialog) != "Now copying long.wav")
                      return;
                  openWhenAborted = heldOpen(archive);
                  pressAbort(dialog);
              }),
              wxID_CANCEL);
    EXPECT_TRUE(openWhenAborted);
    EXPECT_FALSE(heldOpen(archive));
    // Whatever landed is the list's beginning, and nothing of the long record is left.
    const std::vector<std::string> left = targetFiles("music");
    EXPECT_TRUE(left.empty() || left == std::vector<std::string>{"one.wav"}) << left.size();
    EXPECT_EQ(errorText, "Cannot write music\\music.snd");
}

// An archive whose first record is good and whose second is broken in one way.
struct BrokenArchive {
    const char* what;
    std::string second;
    bool last;                // the broken bytes end the archive
    const char* failingEntry; // what errorText names after "Cannot write "
    const char* reason;       // what its second line says after "record 1 at byte N: "
};

TEST_F(CopyDialogTest, BrokenArchivesEndWithCancelAndKeepEarlierRecords) {
    const char* archive = "sounds\\speech.snd";
    const char* badName = describeArchiveStatus(ArchiveStatus::BadName);
    const char* noExtension = describeArchiveStatus(ArchiveStatus::MissingExtension);
    const BrokenArchive cases[] = {
        {"short header", std::string("\x01\x00\x00", 3), true, archive, "record header cut short"},
        {"name too long", recordHeader(0, 0, 260) + std::string(260, 'n'), false, archive,
         "record name longer than 259 bytes"},
        {"name past end", recordHeader(0, 0, 200) + "ab", true, archive,
         "record name runs past the end of the archive"},
        {"data past end", recordHeader(0, 0xFFFFFFF0u, 7) + "big.ogg" + "xyz", true, archive,
         "record data runs past the end of the archive"},
        {"empty name", encodeRecord(0, "", vorbisBytes()), false, archive, badName},
        {"backslash", encodeRecord(0, "..\\..\\escape.ogg", vorbisBytes()), false, archive,
         badName},
        {"slash", encodeRecord(0, "../escape.ogg", vorbisBytes()), false, archive, badName},
        {"drive", encodeRecord(0, "c:escape.ogg", vorbisBytes()), false, archive, badName},
        {"dot dot", encodeRecord(3, "..", "x"), false, archive, badName},
        {"missing extension", encodeRecord(0, "escape", vorbisBytes()), false, archive,
         noExtension},
        {"speex named .ogg", encodeRecord(1, "voice.ogg", speexBytes()), false, archive,
         noExtension},
        {"name of 256 bytes", encodeRecord(0, std::string(252, 'n') + ".ogg", vorbisBytes()), false,
         archive, "record name longer than 255 bytes, more than a file system takes in one name"},
        {"device name", encodeRecord(0, "con.ogg", vorbisBytes()), false, archive,
         "record name is a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9)"},
        {"forbidden character", encodeRecord(1, "who?.spx", speexBytes()), false, archive,
         "record name holds a character Windows refuses in names (* ? \" < > | or a control "
         "character)"},
        {"conversion fails", encodeRecord(0, "Bad.ogg", "not an Ogg stream"), false, nullptr,
         "its sound stream could not be decoded"},
    };
    const std::string where =
        "record 1 at byte " +
        std::to_string(encodeRecord(kCodecVorbis, "first.ogg", vorbisBytes()).size()) + ": ";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(target(""));
        fs::create_directory(target(""));
        medium.write("sounds/speech.snd",
                     encodeRecord(kCodecVorbis, "first.ogg", vorbisBytes()) + c.second +
                         (c.last ? "" : encodeRecord(kCodecVorbis, "after.ogg", vorbisBytes())));
        writeScript({"sounds\\speech.snd", "never.txt"});
        EXPECT_EQ(runDialog(), wxID_CANCEL);
        // A record that fails its conversion is named by the WAVE file it should have become.
        const std::string failing =
            c.failingEntry ? c.failingEntry : targetFolder + "\\sounds\\bad.wav";
        EXPECT_EQ(errorText, "Cannot write " + failing + "\n" + where + c.reason);
        EXPECT_EQ(targetFiles("sounds"), (std::vector<std::string>{"first.wav"}));
        EXPECT_EQ(targetFiles(""), (std::vector<std::string>{"sounds"}));
        EXPECT_FALSE(fs::exists(place / "escape.ogg"));
        EXPECT_FALSE(fs::exists(place / "escape.wav"));
    }
}

// A record that cannot be converted leaves an earlier installation's WAVE file as it was, and a
// good record replaces it only once it is whole; nothing of the run's own is left beside them.
TEST_F(CopyDialogTest, AFailedConversionKeepsTheWaveFileThatWasThere) {
    fs::create_directories(target("sounds"));
    std::ofstream(target("sounds/welcome.wav")) << "earlier install";
    std::ofstream(target("sounds/intro.wav")) << "earlier install";
    medium.write("sounds/speech.snd", encodeRecord(kCodecVorbis, "intro.ogg", vorbisBytes()) +
                                          encodeRecord(kCodecSpeex, "welcome.spx", "no header"));
    writeScript({"sounds\\speech.snd"});
    EXPECT_EQ(runDialog(), wxID_CANCEL);
    EXPECT_EQ(errorText.substr(0, errorText.find('\n')),
              "Cannot write " + targetFolder + "\\sounds\\welcome.wav");
    EXPECT_EQ(readWholeFile(target("sounds/welcome.wav")), "earlier install");
    EXPECT_EQ(readWholeFile(target("sounds/intro.wav")).substr(0, 4), "RIFF");
    EXPECT_EQ(targetFiles("sounds"), (std::vector<std::string>{"intro.wav", "welcome.wav"}));
}

#ifndef _WIN32 // Windows' 260-character path limit is reached before a 255-byte file name
// A record named as long as a file name may be unpacks: the run's own temporary names are short.
TEST_F(CopyDialogTest, ARecordNamedAsLongAsAFileNameMayBeLands) {
    const std::string stem(251, 'v');
    medium.write("sounds/long.snd", encodeRecord(kCodecVorbis, stem + ".ogg", vorbisBytes()));
    writeScript({"sounds\\long.snd"});
    EXPECT_EQ(runDialog(), wxID_OK) << errorText;
    EXPECT_EQ(targetFiles("sounds"), (std::vector<std::string>{stem + ".wav"}));
}
#endif

// Only the record's own name is lower-cased: a folder beside the target that differs from it
// only in letter case receives nothing and keeps what it holds.
TEST_F(CopyDialogTest, RecordsLandInTheTargetAndNotInItsCaseTwin) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows folder names ignore letter case, so a case twin cannot exist";
#endif
    fs::create_directories(place / "Moonrise Harbour");
    fs::create_directories(place / "moonrise harbour" / "music");
    std::ofstream(place / "moonrise harbour" / "music" / "theme.wav") << "someone else's";
    targetFolder = drivePath(place / "Moonrise Harbour");
    medium.write("music/music.snd", encodeRecord(kCodecVorbis, "Theme.ogg", vorbisBytes()) +
                                        encodeRecord(kCodecSpeex, "voice.spx", speexBytes()));
    writeScript({"music\\music.snd"});
    EXPECT_EQ(runDialog(), wxID_OK);
    EXPECT_EQ(readWholeFile(place / "Moonrise Harbour" / "music" / "theme.wav").substr(0, 4),
              "RIFF");
    EXPECT_EQ(readWholeFile(place / "Moonrise Harbour" / "music" / "voice.wav").substr(0, 4),
              "RIFF");
    EXPECT_EQ(readWholeFile(place / "moonrise harbour" / "music" / "theme.wav"), "someone else's");
    EXPECT_FALSE(fs::exists(place / "moonrise harbour" / "music" / "voice.wav"));
}

// A record of a codec the installer does not convert is never written, so it cannot replace
// (and then delete) a file of the same name that an earlier record installed.
TEST_F(CopyDialogTest, UnknownCodecRecordWritesNothing) {
    medium.write("sounds/speech.snd", encodeRecord(kCodecVorbis, "a.ogg", vorbisBytes()) +
                                          encodeRecord(2, "a.wav", "not a sound"));
    writeScript({"sounds\\speech.snd"});
    EXPECT_EQ(runDialog(), wxID_OK);
    EXPECT_EQ(targetFiles("sounds"), (std::vector<std::string>{"a.wav"}));
    EXPECT_EQ(readWholeFile(target("sounds/a.wav")).substr(0, 4), "RIFF");
}

#ifndef _WIN32 // named pipes and device links are POSIX kinds of file
// Only regular files are copied: a named pipe would block the copy for ever and a device would
// never end, so either ends the copy with the entry named.
TEST_F(CopyDialogTest, NamedPipesAndDevicesEndTheCopy) {
    medium.write("data/a.txt", "a");
    ASSERT_EQ(mkfifo((medium / "data" / "pipe").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo((medium / "pipe.snd").c_str(), 0644), 0);
    fs::create_directories(medium / "dev");
    fs::create_symlink("/dev/null", medium / "dev" / "null");
    const struct {
        const char* entry;
        const char* named;
    } cases[] = {{"data\\", "data\\pipe"},
                 {"pipe.snd", "pipe.snd\nthe archive cannot be opened"},
                 {"dev\\null", "dev\\null"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        writeScript({c.entry});
        EXPECT_EQ(runDialog(), wxID_CANCEL);
        EXPECT_EQ(errorText, std::string("Cannot write ") + c.named);
    }
}
#endif

TEST_F(CopyDialogTest, EntriesOutsideTheTargetAreRefused) {
    medium.write("inside.txt", "in");
    for (const char* entry : {"..\\escape.txt", "C:\\escape.txt", "\\escape.txt",
                              "data\\..\\..\\escape.txt", "../escape.txt"}) {
        SCOPED_TRACE(entry);
        writeScript({"inside.txt", entry});
        EXPECT_EQ(runDialog(), wxID_CANCEL);
        EXPECT_EQ(errorText, std::string("Cannot write ") + entry);
        EXPECT_TRUE(fs::exists(target("inside.txt")));
        EXPECT_FALSE(fs::exists(place / "escape.txt"));
        EXPECT_FALSE(fs::exists(place / "data"));
    }
}

TEST_F(CopyDialogTest, ArchiveThatCannotBeOpenedEndsWithCancel) {
    writeScript({"sounds\\Missing.SND"});
    EXPECT_EQ(runDialog(), wxID_CANCEL);
    EXPECT_EQ(errorText, "Cannot write sounds\\Missing.SND\nthe archive cannot be opened");
    EXPECT_TRUE(fs::is_directory(target("sounds")));
}

} // namespace
