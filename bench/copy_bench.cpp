// The copy dialog on made-up media, each timed against its floor measured in the same run: one
// 10 ms tick per unit, plus cp of the same files, plus oggdec/speexdec of the same records. Also
// prints the peak resident memory of each copy.
//
// Media: N small files listed one key each ("0=data\file0.dat", ...) for each N asked (by default
// 250, 1,000, 4,000 and 10,000, so that a cost per file that grows with the medium shows as a
// growing ratio), and the folder-entry medium (one "data\" entry of 400 files and three large
// files). Every medium has a language section of 80 texts and two archives of 50 records.
//
// Each medium is also timed against the ticks as they come on this machine (a dialog whose timer
// only counts), which tells the copy's own cost from a busy machine's late ticks.
//
// Run with a display: scripts/with-display.sh build/bench/copy_bench [--files N[,N...]]
//   [--no-folder-entry]
#include "BenchSupport.h"

#include "copy/CopyProgressDialog.h"
#include "copy/SoundArchiveRecord.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/DialogResources.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/timer.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kSmallSize = 4096;
constexpr int kFolderEntryFiles = 400;
constexpr int kLargeFiles = 3;
constexpr int kLargeSize = 24 << 20;
constexpr int kRecordsPerArchive = 50;
constexpr int kLanguageTexts = 80;
constexpr double kRatioTarget = 1.03;
constexpr double kFlatnessTarget = 0.03;

// The sounds and archives every medium shares, made once.
struct Sounds {
    fs::path root;
    std::size_t largestRecord = 0;
};

struct Medium {
    fs::path root; // holds medium/, target/ and floor/
    std::string name;
    std::vector<std::string> entries;
    bool largeFiles = false;
    int units = 1; // timer ticks the copy needs: one per unit, and the one that finds it done
};

// One archive of copies of one sound; each record is also left as a file for the decoder floor.
std::size_t makeArchive(const Sounds& sounds, const std::string& folder, std::uint32_t codec,
                        const std::string& sound) {
    const std::string bytes = readFile(sounds.root / sound);
    const std::string extension = codecExtension(codec);
    std::string archive;
    for (int i = 0; i < kRecordsPerArchive; ++i) {
        const std::string name = "r" + std::to_string(i) + extension;
        archive += encodeRecord(codec, name, bytes);
        writeFile(sounds.root / "records" / folder / name, bytes);
    }
    writeFile(sounds.root / "archives" / folder / (folder + ".snd"), archive);
    return bytes.size();
}

Sounds makeSounds(const fs::path& root) {
    Sounds sounds{root / "sounds", 0};
    fs::create_directories(sounds.root);
    if (!run("cd '" + sounds.root.string() +
             "' && sox -q -n -r 44100 -c 2 -b 16 m.wav synth 2 pluck C4 "
             "pluck E4 && oggenc -Q -o music.ogg m.wav && "
             "sox -q -n -r 16000 -c 1 -b 16 v.wav synth 2 sine 300 && "
             "speexenc --quiet v.wav voice.spx"))
        std::fprintf(stderr, "copy_bench: sox, oggenc and speexenc are needed\n"), std::exit(2);
    sounds.largestRecord = std::max(makeArchive(sounds, "music", kCodecVorbis, "music.ogg"),
                                    makeArchive(sounds, "speech", kCodecSpeex, "voice.spx"));
    return sounds;
}

std::string languageSection() {
    std::string section = "[English]\n"
                          "IDS_KOPIOWANIE_PLIKOW=Copying files\n"
                          "IDS_PRZERWIJ=Cancel\n"
                          "IDS_KOPIUJE_TERAZ_PLIK=Now copying\n"
                          "IDS_E_WRITEOFILE=The file could not be written:\n";
    for (int i = 4; i < kLanguageTexts; ++i)
        section += "IDS_TEXT_" + std::to_string(i) + "=A text of the installer's pages, number " +
                   std::to_string(i) + "\n";
    return section;
}

void addSmallFiles(Medium& medium, int count, bool listEach) {
    const std::string small(kSmallSize, 's');
    for (int i = 0; i < count; ++i) {
        const std::string name = "file" + std::to_string(i) + ".dat";
        writeFile(medium.root / "medium/data" / name, small);
        if (listEach)
            medium.entries.push_back("data\\" + name);
    }
    if (!listEach)
        medium.entries.push_back("data\\");
    medium.units += count;
}

void addLargeFiles(Medium& medium) {
    std::string large(kLargeSize, 'L');
    for (int i = 0; i < kLargeFiles; ++i) {
        large[0] = static_cast<char>('0' + i);
        writeFile(medium.root / "medium/big" / ("large" + std::to_string(i) + ".bin"), large);
        medium.entries.push_back("big\\large" + std::to_string(i) + ".bin");
    }
    medium.largeFiles = true;
    medium.units += kLargeFiles;
}

void addArchives(Medium& medium, const Sounds& sounds) {
    for (const std::string folder : {"music", "speech"}) {
        const std::string name = folder + "/" + folder + ".snd";
        fs::create_directories(medium.root / "medium" / folder);
        fs::copy_file(sounds.root / "archives" / name, medium.root / "medium" / name);
        medium.entries.push_back(folder + "\\" + folder + ".snd");
        medium.units += kRecordsPerArchive + 2; // open, the records, close
    }
}

void writeScript(const Medium& medium) {
    std::string script =
        languageSection() + "[std]\nfiles=" + std::to_string(medium.entries.size()) + "\n";
    for (std::size_t i = 0; i < medium.entries.size(); ++i)
        script += std::to_string(i) + "=" + medium.entries[i] + "\n";
    writeFile(medium.root / "medium/install.ini", script);
}

// fileCount files listed one key each, or (fileCount 0) the folder entry with large files.
Medium makeMedium(const fs::path& root, const Sounds& sounds, int fileCount) {
    Medium medium;
    medium.root = root / ("medium-" + std::to_string(fileCount));
    fs::remove_all(medium.root);
    if (fileCount > 0) {
        medium.name = std::to_string(fileCount) + " listed files";
        addSmallFiles(medium, fileCount, true);
    } else {
        medium.name = "folder entry";
        addSmallFiles(medium, kFolderEntryFiles, false);
        addLargeFiles(medium);
    }
    addArchives(medium, sounds);
    writeScript(medium);
    fs::create_directories(medium.root / "target");
    return medium;
}

// The work that the copy cannot avoid, done by the system's own tools.
double floorWork(const Medium& medium, const Sounds& sounds) {
    const std::string root = "'" + medium.root.string() + "'";
    const std::string records = "'" + (sounds.root / "records").string() + "'";
    std::vector<std::string> steps = {
        "mkdir -p " + root + "/floor/data " + root + "/floor/big",
        "cp " + root + "/medium/data/* " + root + "/floor/data/",
        "cd " + records + "/music && oggdec -Q *.ogg 2>/dev/null",
        "cd " + records +
            "/speech && for f in *.spx; do "
            "speexdec \"$f\" \"${f%.spx}.wav\" >/dev/null 2>&1; done",
    };
    if (medium.largeFiles)
        steps.push_back("cp " + root + "/medium/big/* " + root + "/floor/big/");
    const auto start = BenchClock::now();
    for (const auto& step : steps)
        run(step);
    return secondsSince(start);
}

// The ticks alone: a dialog whose timer only counts, for as many ticks as the copy needs. On a
// busy machine ticks come late; this shows how late, apart from the copy's own work.
double timeTicks(int units) {
    wxDialog dialog(nullptr, wxID_ANY, "ticks");
    wxTimer timer(&dialog);
    int ticks = 0;
    dialog.Bind(wxEVT_INIT_DIALOG, [&](wxInitDialogEvent& event) {
        timer.Start(CopyProgressDialog::kTimerPeriodMs);
        event.Skip();
    });
    dialog.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks < units)
            return;
        timer.Stop();
        dialog.EndModal(wxID_OK);
    });
    const auto start = BenchClock::now();
    dialog.ShowModal();
    return secondsSince(start);
}

struct CopyRun {
    double wall = 0;
    int ticks = 0;
    int result = 0;
    long peakKiB = 0;  // the whole process's peak during the copy
    long startKiB = 0; // what the process held when the copy began
};

CopyRun runCopy(const Medium& medium) {
    const std::string target = platform::toDrivePath((medium.root / "target").string());
    const std::string mediumFolder = platform::toDrivePath((medium.root / "medium").string());
    platform::changeFolder(mediumFolder);
    platform::overrideOwnProgramPath(mediumFolder + "\\setup.exe");
    CopyRun copy;
    resetPeakResident();
    copy.startKiB = residentKiB("VmRSS");
    const auto start = BenchClock::now();
    {
        CopyProgressDialog dialog(&target, nullptr, "English", mediumFolder + "\\install.ini");
        dialog.Bind(wxEVT_TIMER, [&](wxTimerEvent& event) {
            ++copy.ticks;
            event.Skip();
        });
        copy.result = dialog.ShowModal();
    }
    copy.wall = secondsSince(start);
    copy.peakKiB = residentKiB("VmHWM");
    return copy;
}

struct Row {
    std::string name;
    bool listed = false;
    double ratio = 0;
    double ratioToTicks = 0; // against the ticks as they came on this machine, not 10 ms each
    double ratioToPace = 0;  // against 10 ms a unit alone: the copy's work overlaps its waits
    bool ok = false;
};

Row measure(const fs::path& root, const Sounds& sounds, int fileCount) {
    const Medium medium = makeMedium(root, sounds, fileCount);
    const double work = floorWork(medium, sounds);
    const double ticks = timeTicks(medium.units);
    const CopyRun copy = runCopy(medium);
    platform::changeFolder(platform::toDrivePath(root.string()));
    std::error_code ignored;
    fs::remove_all(medium.root, ignored);

    const double floor = medium.units * 0.010 + work;
    const long growthKiB = copy.peakKiB - copy.startKiB;
    const bool memoryOk = growthKiB <= static_cast<long>(sounds.largestRecord / 1024) + 32 * 1024;
    std::printf("%s: %d units (%d ticks), result %s\n", medium.name.c_str(), medium.units,
                copy.ticks, copy.result == wxID_OK ? "OK" : "Cancel");
    std::printf("  copy dialog %8.3f s, floor %8.3f s (%d x 10 ms + cp/oggdec/speexdec %.3f s), "
                "ratio %.3f\n",
                copy.wall, floor, medium.units, work, copy.wall / floor);
    std::printf("  the ticks alone took %.3f s: against them and the same work, ratio %.3f\n",
                ticks, copy.wall / (ticks + work));
    std::printf("  against 10 ms a unit and no work, ratio %.3f\n", copy.wall / (medium.units * 0.010));
    std::printf("  peak memory %.1f MiB above the start (budget: largest record %.2f MiB + 32 "
                "MiB)%s\n",
                growthKiB / 1024.0, sounds.largestRecord / 1048576.0,
                memoryOk ? "" : "  OVER BUDGET");
    std::fflush(stdout);
    return {medium.name, fileCount > 0, copy.wall / floor, copy.wall / (ticks + work),
            copy.wall / (medium.units * 0.010), copy.result == wxID_OK && memoryOk && copy.wall / floor <= kRatioTarget};
}

// "--files 250,1000": the sizes asked; "--no-folder-entry" leaves that medium out.
bool parseArguments(int argc, char** argv, std::vector<int>& sizes, bool& folderEntry) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-folder-entry") == 0) {
            folderEntry = false;
        } else if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
            sizes.clear();
            for (const char* at = argv[++i]; *at;) {
                char* end = nullptr;
                const long size = std::strtol(at, &end, 10);
                if (end == at || size <= 0 || size > 1000000 || (*end && *end != ','))
                    return false;
                sizes.push_back(static_cast<int>(size));
                at = *end ? end + 1 : end;
            }
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {250, 1000, 4000, 10000};
    bool folderEntry = true;
    if (!parseArguments(argc, argv, sizes, folderEntry)) {
        std::fprintf(stderr, "usage: copy_bench [--files N[,N...]] [--no-folder-entry]\n");
        return 2;
    }
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "copy_bench: needs a display\n");
        return 2;
    }
    loadDialogResources();
    const fs::path root = benchFolder("copy-bench");
    const Sounds sounds = makeSounds(root);
    std::vector<Row> rows;
    if (folderEntry)
        rows.push_back(measure(root, sounds, 0));
    for (int size : sizes)
        rows.push_back(measure(root, sounds, size));

    std::printf("\nratio to floor (target <= %.2f), against the measured ticks, and against 10 ms a "
                "unit (listed sizes flat within %.2f)\n",
                kRatioTarget, kFlatnessTarget);
    double lowest = 1e9, highest = 0;
    bool ok = true;
    for (const Row& row : rows) {
        std::printf("  %-22s %6.3f   %6.3f   %6.3f%s\n", row.name.c_str(), row.ratio,
                    row.ratioToTicks, row.ratioToPace, row.ok ? "" : "  MISSED");
        ok = ok && row.ok;
        if (row.listed)
            lowest = std::min(lowest, row.ratioToPace), highest = std::max(highest, row.ratioToPace);
    }
    if (highest > 0) {
        std::printf("  spread of the listed sizes %.3f\n", highest - lowest);
        ok = ok && highest - lowest <= kFlatnessTarget;
    }
    std::error_code ignored;
    fs::remove_all(root, ignored);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return ok ? 0 : 1;
}
