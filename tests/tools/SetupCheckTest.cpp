// setupcheck as product makers run it: the demo medium is clean, and a medium with one fault of
// each kind gives each finding once, at its line of the script.
#include "script/TextKeys.h"
#include "support/HostCommand.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

namespace fs = std::filesystem;

ToolRun setupcheck(const std::vector<std::string>& arguments, const TempFolder& temp) {
    const char* tool = std::getenv("SETUPCHECK");
    return runTool(tool ? fs::path(tool) : fs::absolute("../../bin/setupcheck"), arguments,
                   temp.path());
}

std::string allTexts(const char* except) {
    std::string texts;
    for (const auto& text : textkeys::kLanguageTexts)
        if (std::string(text.key) != except)
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
    "File1=manual.txt",
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
        script += std::string(line) == "@English"  ? allTexts("")
                  : std::string(line) == "@Polski" ? allTexts("IDS_WYJSCIE")
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
        {"warning", "", "shared uninstaller Ulvarest.exe is not on the medium"},
        {"warning", "", "readme readme.txt is not on the medium"},
        {"error", "DEINSTALLEXE_NAME=remove.exe",
         "uninstaller remove.exe: no install type copies it"},
        {"error", "2=Deutsch", "[Language] 2=Deutsch names a section that does not exist"},
        {"error", "040c=Francais",
         "[Language] 040c=Francais maps the system language 040c to a section that does not exist"},
        {"error", "File1=manual.txt",
         "[English] File1=manual.txt: no install type copies the shortcut's target"},
        {"error", "OTHERFILES=2",
         "[English] OTHERFILES=2 is larger than the keys present: missing or empty Message1, Exe1"},
        {"warning", "[Polski]",
         "[Polski] lacks texts the program shows (they would be empty): IDS_WYJSCIE"},
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
         "sound archive music\\broken.snd does not verify: bad.ogg does not decode"},
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
    EXPECT_EQ(reported, static_cast<int>(std::size(findings) -
                                         std::count_if(std::begin(findings), std::end(findings),
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
        std::count_if(std::begin(findings), std::end(findings),
                      [&](const auto& f) {
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

    EXPECT_EQ(setupcheck({"--help"}, temp).status, 0);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{}, {"--verbose", "x"}, {"a", "b"}})
        EXPECT_EQ(setupcheck(wrong, temp).status, 2) << wrong.size();
    const ToolRun missing = setupcheck({(temp / "nothing").string()}, temp);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("error: the folder holds no install.ini"), std::string::npos);
}

} // namespace
