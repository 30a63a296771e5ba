// setupcheck as product makers run it: the demo medium is clean, and a medium with one fault of
// each kind gives each finding once, at its line of the script.
#include "SizeText.h"
#include "copy/SoundArchive.h"
#include "script/TextKeys.h"
#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

ToolRun setupcheck(const std::vector<std::string>& arguments, const TempFolder& temp) {
    const char* tool = std::getenv("SETUPCHECK");
    return runTool(tool ? fs::path(tool) : fs::absolute("../../bin/setupcheck"), arguments,
                   temp.path());
}

std::string allTexts(const std::vector<std::string>& except) {
    std::string texts;
    for (const auto& text : textkeys::kLanguageTexts)
        if (std::find(except.begin(), except.end(), text.key) == except.end())
            texts += std::string(text.key) + "=text\n";
    return texts;
}

// A 2 x 2 bitmap of 24 bits per pixel: rows of 8 bytes (6 and padding).
std::string tinyBitmap() {
    std::string bmp = "BM";
    auto put = [&](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += static_cast<char>(value >> (8 * i) & 0xFF);
    };
    put(70, 4), put(0, 4), put(54, 4), put(40, 4), put(2, 4), put(2, 4), put(1, 2), put(24, 2);
    put(0, 4), put(16, 4);
    bmp.append(16, '\0'); // resolution and palette counts
    return bmp + std::string(16, '\x7f');
}

// Each faulty line of the script is marked with the finding it must give. The script is UTF-8
// with its mark, which Windows' own reader would take for part of the first section's name.
const char* const kScript[] = {
    "\xEF\xBB\xBF[Option]",
    "PROGRAM_NAME=Test",
    "show_licence=true",
    "show_install_mode=true",
    "DEINSTALLEXE_NAME=remove.exe",
    "[Language]",
    "Nr=3",
    "0=English",
    "1=Polski",
    "2=Deutsch",
    "0409=English",
    "040c=Francais",
    "[English]",
    "@English",
    "Bitmap=title.bmp",
    "IDS_LICENCE_FILE_NAME=licence.txt",
    "IDS_DXINSTALL_PATH=X:\\directx\\dxsetup.exe",
    "Shortcuts=2",
    "Description0=Game.lnk",
    "File0=game.exe",
    "Description1=Manual.lnk",
    "File1=readme.txt",
    "OTHERFILES=2",
    "Message0=Configure?",
    "Exe0=tools\\cfg.exe",
    "[Polski]",
    "@Polski",
    "Bitmap=bad.bmp",
    "IDS_LICENCE_FILE_NAME=licencja.txt",
    "IDS_DXINSTALL_PATH=X:\\directx\\brak.exe",
    "OTHERFILES=1",
    "Message0=?",
    "Exe0=tools\\missing.exe",
    "[min]",
    "files=0",
    "[std]",
    "files=4",
    "0=game.exe",
    "1=uninstall.exe",
    "2=data\\",
    "3=music\\music.snd",
    "[max]",
    "files=9",
    "0=game.exe",
    "1=uninstall.exe",
    "2=data\\",
    "3=DATA\\A.DAT",
    "4=missing.dat",
    "5=nothing\\",
    "6=empty\\",
    "7=music\\broken.snd",
};

void makeFaultyMedium(const TempFolder& medium, const fs::path& goodArchive) {
    std::string script;
    for (const char* line : kScript)
        script += std::string(line) == "@English"  ? allTexts({})
                  : std::string(line) == "@Polski" ? allTexts({"IDS_WYJSCIE", "IDS_DYSK"})
                                                   : std::string(line) + "\n";
    medium.write("install.ini", script);
    for (const char* file : {"game.exe", "uninstall.exe", "licence.txt", "data/a.dat",
                             "directx/dxsetup.exe", "tools/cfg.exe"})
        medium.write(file, "content");
    medium.write("title.bmp", tinyBitmap());
    medium.write("bad.bmp", tinyBitmap().substr(0, 60));
    medium.write("music/broken.snd", std::string("\0\0\0\0\4\0\0\0\7\0\0\0bad.oggOggS", 23));
    fs::create_directory(medium / "empty");
    fs::copy_file(goodArchive, medium / "music/music.snd");
}

// The line of the script that holds the text; 0 for findings without a line.
int lineOf(const std::string& script, const std::string& text) {
    std::istringstream lines(script);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number)
        if (line == text)
            return number;
    return 0;
}

TEST(SetupCheckTest, eachFaultOfAMediumIsFoundOnceAtItsLine) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    TempFolder temp, medium;
    makeFaultyMedium(medium, fs::path(build) / "medium/music/music.snd");
    const struct {
        const char* severity;
        const char* line; // the script's line, or "" for a finding about no line
        const char* message;
    } findings[] = {
        {"error", "", "setup program setup.exe (or setup, for Linux) is not on the medium"},
        {"warning", "", "shared uninstaller Ulvarest.exe is not on the medium"},
        {"warning", "File1=readme.txt", "readme readme.txt is not on the medium"},
        {"error", "DEINSTALLEXE_NAME=remove.exe",
         "uninstaller remove.exe: no install type copies it"},
        {"error", "2=Deutsch", "[Language] 2=Deutsch names a section that does not exist"},
        {"error", "040c=Francais",
         "[Language] 040c=Francais maps the system language 040c to a section that does not exist"},
        {"error", "File1=readme.txt",
         "[English] File1=readme.txt: no install type copies the shortcut's target"},
        {"error", "OTHERFILES=2",
         "[English] OTHERFILES=2 is larger than the keys present: missing or empty Message1, Exe1"},
        {"error", "[Polski]", "[Polski] lacks texts of buttons (they would be blank): IDS_WYJSCIE"},
        {"warning", "[Polski]",
         "[Polski] lacks texts the program shows (they would be empty): IDS_DYSK"},
        {"error", "Bitmap=bad.bmp", "[Polski] title picture bad.bmp is not a readable BMP file"},
        {"error", "IDS_LICENCE_FILE_NAME=licencja.txt",
         "[Polski] licence file licencja.txt is not on the medium"},
        {"error", "IDS_DXINSTALL_PATH=X:\\directx\\brak.exe",
         "[Polski] DirectX program directx\\brak.exe is not on the medium"},
        {"error", "Exe0=tools\\missing.exe",
         "[Polski] further program tools\\missing.exe is not on the medium"},
        {"error", "files=0", "[min] files=0 lists nothing to install"},
        {"error", "files=9", "[max] files=9 is larger than the keys present: missing or empty 8"},
        {"warning", "3=DATA\\A.DAT",
         "file DATA\\A.DAT (max) is found only when letter case is ignored"},
        {"error", "4=missing.dat", "file missing.dat (max) is not on the medium"},
        {"error", "5=nothing\\", "folder nothing\\ (max) is not on the medium"},
        {"warning", "6=empty\\", "folder entry empty\\ (max) lists no files"},
        {"error", "7=music\\broken.snd",
         "sound archive music\\broken.snd does not verify: bad.ogg does not decode (The stream "
         "ends "
         "before its last page)"},
    };
#ifdef _WIN32
    // Windows finds a file whatever the letter case of its name: the case finding cannot arise.
    const auto caseFinding = [](const auto& f) { return std::string(f.line) == "3=DATA\\A.DAT"; };
#else
    const auto caseFinding = [](const auto&) { return false; };
#endif
    const ToolRun run = setupcheck({medium.path().string()}, temp);
    EXPECT_EQ(run.status, 1) << run.output;
    const std::string script = readWholeFile(medium / "install.ini");
    int reported = 0;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);)
        reported += line.rfind("install.ini:", 0) == 0 ? 1 : 0;
    EXPECT_EQ(reported, static_cast<int>(std::size(findings) - std::count_if(std::begin(findings),
                                                                             std::end(findings),
                                                                             caseFinding)))
        << run.output;
    for (const auto& f : findings) {
        if (caseFinding(f))
            continue;
        const int line = lineOf(script, f.line);
        ASSERT_EQ(line == 0, *f.line == '\0') << f.line;
        const std::string expected =
            "install.ini:" + (line ? std::to_string(line) + ":" : "") + " " + f.severity + ": ";
        const auto at = run.output.find(f.message);
        EXPECT_NE(at, std::string::npos) << f.message << "\n" << run.output;
        if (at == std::string::npos)
            continue;
        EXPECT_EQ(run.output.find(f.message, at + 1), std::string::npos) << f.message;
        const auto lineStart = run.output.rfind('\n', at) + 1;
        EXPECT_EQ(run.output.substr(lineStart, at - lineStart), expected) << f.message;
    }

    // The same for pipelines: as many findings, the counts, and the install types' sizes.
    const ToolRun json = setupcheck({"--json", medium.path().string()}, temp);
    EXPECT_EQ(json.status, 1);
    const auto warnings =
        std::count_if(std::begin(findings), std::end(findings), [&](const auto& f) {
            return std::string(f.severity) == "warning" && !caseFinding(f);
        });
    const auto errors = std::count_if(std::begin(findings), std::end(findings), [](const auto& f) {
        return std::string(f.severity) == "error";
    });
    const std::string counts = "\"errors\": " + std::to_string(errors) +
                               ",\n  \"warnings\": " + std::to_string(warnings) + ",";
    EXPECT_NE(json.output.find(counts), std::string::npos) << json.output;
    EXPECT_NE(json.output.find("{\"severity\": \"error\", \"line\": " +
                               std::to_string(lineOf(script, "2=Deutsch")) +
                               ", \"message\": \"[Language] 2=Deutsch names a section that does "
                               "not exist\"}"),
              std::string::npos)
        << json.output;
    EXPECT_NE(json.output.find("{\"type\": \"std\", \"files\": 5, \"bytesCopied\": 21,"),
              std::string::npos)
        << json.output;
}

TEST(SetupCheckTest, theDemoIsCleanAndTheCommandLineIsChecked) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    TempFolder temp;
    const ToolRun demo = setupcheck({(fs::path(build) / "medium").string()}, temp);
    EXPECT_EQ(demo.status, 0) << demo.output;
    EXPECT_NE(demo.output.find("0 errors, 0 warnings"), std::string::npos) << demo.output;
#ifndef _WIN32 // Windows speaks the user's language of its settings, not of the environment
    setenv("LC_ALL", "pl_PL.UTF-8", 1);
    const ToolRun polish = setupcheck({(fs::path(build) / "medium").string()}, temp);
    const ToolRun polishHelp = setupcheck({"--help"}, temp);
    const ToolRun polishMissing = setupcheck({(temp / "no medium").string()}, temp);
    unsetenv("LC_ALL");
    EXPECT_NE(polishMissing.output.find("no medium nie istnieje"), std::string::npos)
        << polishMissing.output;
    EXPECT_NE(polish.output.find("błędy: 0, ostrzeżenia: 0"), std::string::npos) << polish.output;
    EXPECT_EQ(polishHelp.output.rfind("Użycie: setupcheck [--json] KATALOG-NOŚNIKA", 0), 0u)
        << polishHelp.output;
#endif

    EXPECT_EQ(setupcheck({"--help"}, temp).status, 0);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"--verbose", "x"}, {"a", "b"}})
        EXPECT_EQ(setupcheck(wrong, temp).status, 2) << wrong.size();
    const fs::path empty = temp / "empty", file = temp.write("file.txt", "x");
    fs::create_directory(empty);
    const struct {
        fs::path folder;
        std::string said;
    } notMedia[] = {
        {temp / "nothing", (temp / "nothing").string() + " does not exist"},
        {file, file.string() + " is not a folder"},
        {empty, "the folder holds no install.ini"},
    };
    for (const auto& notMedium : notMedia) {
        const ToolRun run = setupcheck({notMedium.folder.string()}, temp);
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_NE(
            run.output.find("install.ini: error: " + notMedium.said + "\n1 error, 0 warnings"),
            std::string::npos)
            << run.output;
    }
}

// How an install type's text is read against the bytes the type writes.
TEST(SetupCheckTest, aSizeTextAgreesWithinAFactorOfOneAndAHalf) {
    constexpr std::uint64_t kMB = 1024 * 1024;
    const struct {
        const char* text;
        std::uint64_t written;
        const char* said; // empty: the text states no size
        bool agrees;
    } rows[] = {
        {"Minimal (about 9 KB)", 9132, "9 KB", true},
        {"Standard (about 2 MB)", 646343, "2 MB", false},
        {"Full (about 1 MB)", 842997, "1 MB", true},
        {"Full (about 1 MB)", 8 * 1024, "1 MB", false},
        {"Full (about 1 GB)", 842997, "1 GB", false},
        {"Full (800 KB)", 842997, "800 KB", true},
        {"Wersja standardowa (ok. 0,6 MB)", 646343, "0,6 MB", true},
        {"Wersja pe\xC5\x82na (1,5\xC2\xA0MB)", 3 * kMB / 2, "1,5\xC2\xA0MB", true},
        {"Full (1.5 MB)", kMB / 2, "1.5 MB", false},
        {"Full (2MB)", 2 * kMB, "2MB", true},
        {"Full (2 MiB)", 2 * kMB, "2 MiB", true},
        {"Full (2 mb)", 3 * kMB, "2 mb", true},
        {"Full (2 mb)", 3 * kMB + 1, "2 mb", false},
        {"Full (3 levels, 4 MB)", 4 * kMB, "4 MB", true},
        {"Full version", 4 * kMB, "", false},
        {"Full (a 2 Mbit/s video)", 4 * kMB, "", false},
        {"Full (MP3 at 128 KBps)", 4 * kMB, "", false},
        {"Level2 MB", 4 * kMB, "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const auto stated = statedSize(row.text);
        ASSERT_EQ(stated.has_value(), *row.said != '\0');
        if (!stated)
            continue;
        EXPECT_EQ(stated->said, row.said);
        EXPECT_EQ(statedSizeAgrees(stated->bytes, row.written), row.agrees) << stated->bytes;
    }
}

// What a row of the table below puts on a clean medium.
enum class Kind { File, Fifo, Socket, Device, Unreadable };

// On Windows the long-path form reaches a name like CON.txt as a file, not as the device.
fs::path reachableName(const fs::path& path) {
#ifdef _WIN32
    return fs::path(L"\\\\?\\" + fs::path(path).make_preferred().wstring());
#else
    return path;
#endif
}

// Makes one file of that kind; false with the reason when this system cannot hold it.
bool makeKind(Kind kind, const fs::path& path, const std::string& bytes, std::string& why) {
    fs::create_directories(reachableName(path.parent_path()));
#ifdef _WIN32
    if (kind != Kind::File) {
        why = "pipes, sockets, devices and permission bits in a folder are POSIX file kinds";
        return false;
    }
    // A name Windows refuses outright cannot be on a medium made for it: the row then checks
    // the script's entry alone.
    std::ofstream(reachableName(path), std::ios::binary) << bytes;
    return true;
#else
    switch (kind) {
    case Kind::File:
        std::ofstream(path, std::ios::binary) << bytes;
        return true;
    case Kind::Fifo:
        return mkfifo(path.c_str(), 0644) == 0;
    case Kind::Socket: {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string native = path.string();
        if (native.size() >= sizeof address.sun_path) {
            why = "the temporary folder's path is too long for a socket";
            return false;
        }
        native.copy(address.sun_path, native.size());
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound =
            fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0)
            close(fd);
        return bound;
    }
    case Kind::Device:
        fs::create_symlink("/dev/null", path);
        return true;
    case Kind::Unreadable:
        std::ofstream(path) << bytes;
        return chmod(path.c_str(), 0) == 0;
    }
    return false;
#endif
}

// The first record's compressed file of the demo's music archive: a stream that decodes.
std::string decodableVorbis(const fs::path& demo) {
    SoundArchive archive;
    SoundArchiveRecord record;
    if (!archive.open((demo / "music/music.snd").string()) ||
        archive.readRecord(record) != ArchiveStatus::Ok || record.codec != kCodecVorbis)
        return {};
    return std::string(record.data.begin(), record.data.end());
}

std::string replaceFirst(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Media that the installer fails on, or that mislead the person, each by one entry, name, text or
// file: the checker reports that one finding and nothing else. Without the check of its kind,
// each medium passes clean.
TEST(SetupCheckTest, oneFaultOfAMediumIsOneFinding) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    const fs::path demo = fs::path(build) / "medium";
    const std::string sound = decodableVorbis(demo);
    ASSERT_FALSE(sound.empty());
    const std::string named255 = std::string(251, 'n') + ".ogg";
    const std::string named256 = std::string(252, 'n') + ".ogg";
    const std::string named259 = std::string(255, 'n') + ".ogg";
    const std::string inData = "folder data\\ (min, std, max) holds data\\";
    const std::string inArchive =
        "sound archive music\\extra.snd does not verify: record 0 at byte 0: record name ";
    const std::string device = " is a name Windows keeps for a device";
    const std::string character = " holds a character Windows refuses";
    const struct {
        const char* what;
        Kind kind;
        std::string file;     // made on the medium
        std::string bytes;    // its content
        std::string entry;    // added to the full install's list, or empty
        std::string from, to; // a line of the script replaced, or empty
        std::string message;  // the one finding expected; empty: the medium stays clean
        const char* tally = "\n1 error, 0 warnings";
    } rows[] = {
        {"pipe in a listed folder", Kind::Fifo, "data/pipe.dat", "", "", "", "",
         inData + "pipe.dat, which is not a regular file"},
        {"socket in a listed folder", Kind::Socket, "data/socket.dat", "", "", "", "",
         inData + "socket.dat, which is not a regular file"},
        {"device in a listed folder", Kind::Device, "data/null.dat", "", "", "", "",
         inData + "null.dat, which is not a regular file"},
        {"mode 000 in a listed folder", Kind::Unreadable, "data/locked.dat", "x", "", "", "",
         inData + "locked.dat, which cannot be read"},
        {"listed file of mode 000", Kind::Unreadable, "extras/locked.dat", "x",
         "extras\\locked.dat", "", "", "file extras\\locked.dat (max) cannot be read"},
        {"device name in a listed folder", Kind::File, "data/CON.txt", "x", "", "", "",
         inData + "CON.txt: CON.txt" + device},
        {"listed device name", Kind::File, "extras/CON.txt", "x", "extras\\CON.txt", "", "",
         "file extras\\CON.txt (max): CON.txt" + device},
        {"listed folder named as a device", Kind::File, "aux/x", "x", "aux\\x", "", "",
         "file aux\\x (max): aux" + device},
        {"listed name with a star", Kind::File, "extras/a*b.dat", "x", "extras\\a*b.dat", "", "",
         "file extras\\a*b.dat (max): a*b.dat" + character},
        {"record name of 256 bytes", Kind::File, "music/extra.snd",
         encodeRecord(0, named256, sound), "music\\extra.snd", "", "",
         inArchive + "longer than 255 bytes"},
        {"record name of 259 bytes", Kind::File, "music/extra.snd",
         encodeRecord(0, named259, sound), "music\\extra.snd", "", "",
         inArchive + "longer than 255 bytes"},
        {"record name of 255 bytes", Kind::File, "music/extra.snd",
         encodeRecord(0, named255, sound), "music\\extra.snd", "", "", ""},
        {"record named as a device", Kind::File, "music/extra.snd",
         encodeRecord(0, "con.ogg", sound), "music\\extra.snd", "", "",
         inArchive + device.substr(1)},
        {"record name with a quote", Kind::File, "music/extra.snd",
         encodeRecord(0, "say \"hi\".ogg", sound), "music\\extra.snd", "", "",
         inArchive + character.substr(1)},
        {"shortcut named as a device", Kind::File, "", "", "", "Description0=Moonrise Harbour.lnk",
         "Description0=CON.lnk", "[English] Description0=CON.lnk: CON.lnk" + device},
        {"program group named as a device", Kind::File, "", "", "", "IDS_COMPANY_NAME=Tervalis",
         "IDS_COMPANY_NAME=AUX", "[English] IDS_COMPANY_NAME=AUX: AUX" + device},
        {"program group with a question mark", Kind::File, "", "", "",
         "IDS_PROGRAM_NAME=Moonrise Harbour", "IDS_PROGRAM_NAME=Moonrise?",
         "[English] IDS_PROGRAM_NAME=Moonrise?: Moonrise?" + character},
        {"blank button", Kind::File, "", "", "", "IDS_PRZERWIJ=Abort",
         "IDS_PRZERWIJ=", "[English] lacks texts of buttons (they would be blank): IDS_PRZERWIJ"},
        // The demo's standard install writes 632 KB.
        {"size text of another medium", Kind::File, "", "", "",
         "IDS_WERSJA_STD=Standard (about 0.6 MB)", "IDS_WERSJA_STD=Standard (about 2 MB)",
         "[English] IDS_WERSJA_STD=Standard (about 2 MB) says 2 MB, but the std install type "
         "writes 632 KB",
         "\n0 errors, 1 warning"},
        {"size text of the wrong unit", Kind::File, "", "", "",
         "IDS_WERSJA_STD=Wersja standardowa (ok. 0,6 MB)",
         "IDS_WERSJA_STD=Wersja standardowa (ok. 0,6 GB)",
         "[Polski] IDS_WERSJA_STD=Wersja standardowa (ok. 0,6 GB) says 0,6 GB, but the std "
         "install type writes 632 KB",
         "\n0 errors, 1 warning"},
        {"size text rounded", Kind::File, "", "", "", "IDS_WERSJA_MAX=Full (about 0.8 MB)",
         "IDS_WERSJA_MAX=Full (about 1 MB)", ""},
    };
    const std::string script = readWholeFile(demo / "install.ini");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder temp, medium;
        fs::copy(demo, medium.path(), fs::copy_options::recursive);
        std::string why;
        if (!row.file.empty() && !makeKind(row.kind, medium / row.file, row.bytes, why)) {
            std::printf("[ SKIPPED  ] %s: %s\n", row.what, why.c_str());
            continue;
        }
        std::string changed = row.from.empty() ? script : replaceFirst(script, row.from, row.to);
        if (!row.entry.empty())
            changed = replaceFirst(changed, "[max]\nfiles=10\n",
                                   "[max]\nfiles=11\n10=" + row.entry + "\n");
        if (!row.entry.empty() || !row.from.empty()) {
            ASSERT_NE(changed, script);
        }
        std::ofstream(medium / "install.ini", std::ios::binary) << changed;
        const ToolRun run = setupcheck({medium.path().string()}, temp);
        if (row.message.empty()) {
            EXPECT_EQ(run.status, 0) << run.output;
            EXPECT_NE(run.output.find("0 errors, 0 warnings"), std::string::npos) << run.output;
        } else {
            EXPECT_EQ(run.status, std::string(row.tally).starts_with("\n0 errors") ? 0 : 1)
                << run.output;
            const auto at = run.output.find(row.message);
            EXPECT_NE(at, std::string::npos) << row.message << "\n" << run.output;
            EXPECT_NE(run.output.find(row.tally), std::string::npos) << run.output;
        }
        // Removed here, where the name reaches the file: the folder's removal would meet a
        // device name as the device, and a file of mode 000 is kept by its folder's removal.
        std::error_code ignored;
        if (!row.file.empty()) {
            fs::remove(reachableName(medium / row.file), ignored);
            fs::remove(reachableName((medium / row.file).parent_path()), ignored); // when empty
        }
    }
}

} // namespace
