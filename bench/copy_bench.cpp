// The copy dialog on made-up media, each timed against the machine's limit measured in the same
// run: cp of the same plain files, plus oggdec and speexdec of the same records spread over all
// cores (xargs -P $(nproc)).
//
// Media: the CD-like medium (1,000 data files of about 40 MB in all in ten folders, an archive of
// 12 Vorbis records of one minute, 44.1 kHz stereo, and one of 120 Speex records of four seconds,
// 16 kHz mono), and media of small files of 4 KiB each (1,000 and 10,000, or as --files asks).
// Targets: the CD-like medium within 1.2 x its limit; small files within 2 x cp's time + 1 s.
//
// Abort is pressed during a long conversion (one Vorbis record of ten minutes), about 0.5 s into
// the copy (sooner when the peer needs less than a second for the same work, so that the press
// still finds it under way), and 0.1 s into the copy of a large file (1 GiB). Target: the copy
// window returns within 100 ms of the press, and no ~setup-* file is left in the target.
//
// During every copy a 10 ms timer of the bench's own ticks on the dialog; the longest gap between
// its ticks shows how long the window went without answering (target: 50 ms). Each copy's peak
// resident memory above what the process held at its start is printed beside it.
//
// A busy machine's disk makes single timings wander: each medium's peers and dialog take turns
// for two rounds (--rounds N), the best time of each counts, and every timed step starts after a
// sync.
//
// Run with a display: scripts/with-display.sh build/bench/copy_bench [--files N[,N...]]
//   [--rounds N] [--quick]
//   --quick: one round, a smaller CD-like medium, shorter sounds, a 256 MiB file and 1,000 small
//   files.
// The decoder's own lines go to standard error. Exits with 0 when every target is met, 1 when one
// is missed.
#include "BenchSupport.h"

#include "pages/CopyProgressDialog.h"
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

constexpr double kMediumTarget = 1.2; // x the limit
constexpr double kSmallFactor = 2.0;  // x cp's time ...
constexpr double kSmallSlack = 1.0;   // ... + this many seconds
constexpr double kAnswerTarget = 0.100;
constexpr double kGapTarget = 0.050;
constexpr int kTickMs = 10;
constexpr double kPressAfter = 0.5;
constexpr int kSmallSize = 4096;
constexpr int kDataFolders = 10;
constexpr int kLanguageTexts = 80;
// Distinct sounds made; the records take them in turn, which keeps the making short.
constexpr int kVorbisSounds = 4;
constexpr int kSpeexSounds = 6;

struct Sizes {
    int dataFiles = 1000; // about 40 KiB each on average
    int vorbisRecords = 12;
    int vorbisSeconds = 60;
    int speexRecords = 120;
    int speexSeconds = 4;
    int longSeconds = 600;
    int largeMiB = 1024;
    std::vector<int> smallFiles = {1000, 10000};
    int rounds = 2; // each medium's peers and dialog, taking turns; the best time of each counts
};

Sizes quickSizes() {
    Sizes sizes;
    sizes.dataFiles = 200;
    sizes.vorbisRecords = 4;
    sizes.vorbisSeconds = 20;
    sizes.speexRecords = 24;
    sizes.longSeconds = 120;
    sizes.largeMiB = 256;
    sizes.smallFiles = {1000};
    sizes.rounds = 1;
    return sizes;
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// Every timed step starts with the earlier steps' writes on disk, so that none pays for another.
void settle() {
    run("sync");
}

double timed(const std::string& command) {
    settle();
    const auto start = BenchClock::now();
    if (!run(command))
        std::fprintf(stderr, "copy_bench: failed: %s\n", command.c_str()), std::exit(2);
    return secondsSince(start);
}

// Two tones sweeping over a pulsing noise, each variant at pitches of its own, so that the
// encoder and the decoder see music-like work rather than silence.
void makeVorbis(const fs::path& file, int seconds, int variant) {
    const std::string length = std::to_string(seconds);
    const int low = 110 + 37 * variant;
    fs::create_directories(file.parent_path());
    timed("sox -q -n -r 44100 -c 2 -b 16 -t raw - synth " + length + " sine " +
          std::to_string(low) + "-" + std::to_string(low * 12) + " square " +
          std::to_string(low * 2) + "-" + std::to_string(low * 3) + " synth " + length +
          " pinknoise amod 0.5 40 tremolo " + std::to_string(2 + variant) +
          " 50 vol 0.5 2>/dev/null | oggenc -Q -r -R 44100 -C 2 -B 16 -o " + quoted(file) + " -");
}

void makeSpeex(const fs::path& file, int seconds, int variant) {
    const fs::path wave = file.string() + ".wav";
    fs::create_directories(file.parent_path());
    timed("sox -q -n -r 16000 -c 1 -b 16 " + quoted(wave) + " synth " + std::to_string(seconds) +
          " sine " + std::to_string(150 + 40 * variant) + "-900 synth " +
          std::to_string(seconds) + " brownnoise mix tremolo " + std::to_string(5 + variant) +
          " 60 && speexenc --quiet " + quoted(wave) + " " + quoted(file));
    fs::remove(wave);
}

std::string englishTexts() {
    std::string section = "[English]\n"
                          "IDS_KOPIOWANIE_PLIKOW=Copying files\n"
                          "IDS_PRZERWIJ=Abort\n"
                          "IDS_KOPIUJE_TERAZ_PLIK=Now copying\n"
                          "IDS_E_WRITEOFILE=The file could not be written:\n";
    for (int i = 4; i < kLanguageTexts; ++i)
        section += "IDS_TEXT_" + std::to_string(i) + "=A text of the installer's pages, number " +
                   std::to_string(i) + "\n";
    return section;
}

// A medium under root: medium/ (what the dialog reads), target/ and limit/ (where its peers
// write).
struct Medium {
    fs::path root;
    std::vector<std::string> entries;

    explicit Medium(fs::path where) : root(std::move(where)) {
        fs::remove_all(root);
        fs::create_directories(root / "target");
        fs::create_directories(root / "limit");
    }
    std::string peerFolder() const { return quoted(root / "limit"); }
    // Empties what the peers or the dialog wrote, for the next round.
    void clear(const char* folder) const {
        fs::remove_all(root / folder);
        fs::create_directories(root / folder);
    }
};

void writeScript(const Medium& medium, const std::string& name,
                 const std::vector<std::string>& entries) {
    std::string script =
        englishTexts() + "[std]\nfiles=" + std::to_string(entries.size()) + "\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
        script += std::to_string(i) + "=" + entries[i] + "\n";
    writeFile(medium.root / "medium" / name, script);
}

// folder as the script names it: "data\\d0".
void addFile(Medium& medium, const std::string& folder, const std::string& name,
             const std::string& bytes) {
    std::string onDisk = folder;
    std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
    writeFile(medium.root / "medium" / onDisk / name, bytes);
    medium.entries.push_back(folder + "\\" + name);
}

// An archive of the record files in folder, in their order, put on the medium as folder\name.
void addArchive(Medium& medium, const fs::path& records, std::uint32_t codec,
                const std::string& folder, const std::string& name) {
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(records))
        files.push_back(item.path());
    std::sort(files.begin(), files.end());
    std::string archive;
    for (const fs::path& file : files)
        archive += encodeRecord(codec, file.filename().string(), readFile(file));
    addFile(medium, folder, name, archive);
}

struct CopyRun {
    double wall = 0;
    int result = 0;
    bool stopped = false;
    double longestGap = 0; // between two ticks of the bench's own timer
    double pressedAt = -1; // seconds into the copy, when Abort was pressed
    double answer = -1;    // from the press until ShowModal returned
    long growthKiB = 0;    // peak resident memory above the start
};

// Of two rounds: the better time, the worse gap, memory and result.
CopyRun bestOf(const CopyRun& one, const CopyRun& other) {
    CopyRun best = one.wall <= other.wall ? one : other;
    best.longestGap = std::max(one.longestGap, other.longestGap);
    best.growthKiB = std::max(one.growthKiB, other.growthKiB);
    best.result = one.result == wxID_OK ? other.result : one.result;
    return best;
}

// Runs the dialog on the medium's script; pressAfter >= 0 presses Abort that long into the copy.
CopyRun runCopy(const Medium& medium, const std::string& script, double pressAfter = -1) {
    const std::string target = platform::toDrivePath((medium.root / "target").string());
    const std::string folder = platform::toDrivePath((medium.root / "medium").string());
    platform::changeFolder(folder);
    platform::overrideOwnProgramPath(folder + "\\setup.exe");
    CopyRun copy;
    settle();
    resetPeakResident();
    const long startKiB = residentKiB("VmRSS");
    const auto start = BenchClock::now();
    BenchClock::time_point lastTick = start, pressed;
    {
        CopyEngine engine(&target, SetupScript(folder + "\\" + script, "English"));
        CopyProgressDialog dialog(nullptr);
        wxTimer ticks(&dialog);
        dialog.Bind(wxEVT_INIT_DIALOG, [&](wxInitDialogEvent& event) {
            lastTick = BenchClock::now();
            ticks.Start(kTickMs);
            event.Skip();
        });
        dialog.Bind(
            wxEVT_TIMER,
            [&](wxTimerEvent&) {
                const auto now = BenchClock::now();
                copy.longestGap = std::max(copy.longestGap, seconds(now - lastTick));
                lastTick = now;
                if (pressAfter < 0 || copy.pressedAt >= 0 || !dialog.IsModal() ||
                    seconds(now - start) < pressAfter)
                    return;
                copy.pressedAt = seconds(now - start);
                pressed = BenchClock::now();
                wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
                click.SetEventObject(dialog.FindWindow(wxID_CANCEL));
                dialog.GetEventHandler()->ProcessEvent(click);
            },
            ticks.GetId());
        const CopyEngine::Result result = dialog.runCopy(engine);
        const auto ended = BenchClock::now();
        if (copy.pressedAt >= 0)
            copy.answer = seconds(ended - pressed);
        copy.result = result == CopyEngine::Result::Finished ? wxID_OK : wxID_CANCEL;
        copy.stopped = result == CopyEngine::Result::Stopped;
        ticks.Stop();
    }
    copy.wall = secondsSince(start);
    copy.growthKiB = residentKiB("VmHWM") - startKiB;
    return copy;
}

// Names in the target that a conversion under way writes before its file lands.
int leftovers(const Medium& medium) {
    int count = 0;
    for (const auto& item : fs::recursive_directory_iterator(medium.root / "target"))
        count += item.path().filename().string().rfind("~setup-", 0) == 0;
    return count;
}

void finishMedium(const Medium& medium, const fs::path& root) {
    platform::changeFolder(platform::toDrivePath(root.string()));
    std::error_code ignored;
    fs::remove_all(medium.root, ignored);
}

bool gapOk(const CopyRun& copy) {
    return copy.longestGap <= kGapTarget;
}

void printHeader() {
    std::printf("\n%-18s %8s %8s  %-28s %6s  %-17s %6s %9s  %s\n", "medium", "dialog", "limit",
                "(cp + oggdec + speexdec)", "ratio", "target", "gap", "memory", "met");
}

void printRow(const std::string& name, const CopyRun& copy, double limit, const std::string& parts,
              const char* target, bool met) {
    std::printf("%-18s %7.3fs %7.3fs  %-28s %6.2f  %-17s %4.0fms %+7.1fMiB  %s%s\n", name.c_str(),
                copy.wall, limit, parts.c_str(), copy.wall / limit, target,
                copy.longestGap * 1000, copy.growthKiB / 1024.0, met ? "yes" : "NO",
                copy.result == wxID_OK ? "" : "  (the copy failed)");
    std::fflush(stdout);
}

std::string seconds3(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

bool measureCdLike(const fs::path& root, const Sizes& sizes) {
    Medium medium(root / "cd-like");
    for (int i = 0; i < sizes.dataFiles; ++i)
        addFile(medium, "data\\d" + std::to_string(i % kDataFolders),
                "file" + std::to_string(i) + ".dat",
                std::string(static_cast<std::size_t>(1 + (i * 7919) % 79) * 1024,
                            static_cast<char>('a' + i % 26)));
    const fs::path vorbis = medium.root / "records/vorbis", speex = medium.root / "records/speex";
    const fs::path sounds = root / "sounds";
    for (int i = 0; i < kVorbisSounds; ++i)
        makeVorbis(sounds / ("m" + std::to_string(i) + ".ogg"), sizes.vorbisSeconds, i);
    for (int i = 0; i < kSpeexSounds; ++i)
        makeSpeex(sounds / ("v" + std::to_string(i) + ".spx"), sizes.speexSeconds, i);
    fs::create_directories(vorbis);
    fs::create_directories(speex);
    char name[32];
    for (int i = 0; i < sizes.vorbisRecords; ++i) {
        std::snprintf(name, sizeof name, "music%03d.ogg", i);
        fs::copy_file(sounds / ("m" + std::to_string(i % kVorbisSounds) + ".ogg"), vorbis / name);
    }
    for (int i = 0; i < sizes.speexRecords; ++i) {
        std::snprintf(name, sizeof name, "voice%03d.spx", i);
        fs::copy_file(sounds / ("v" + std::to_string(i % kSpeexSounds) + ".spx"), speex / name);
    }
    addArchive(medium, vorbis, kCodecVorbis, "sound", "music.snd");
    addArchive(medium, speex, kCodecSpeex, "sound", "speech.snd");
    writeScript(medium, "install.ini", medium.entries);

    const std::string limit = medium.peerFolder();
    double cp = 1e9, oggdec = 1e9, speexdec = 1e9;
    CopyRun copy;
    for (int round = 0; round < sizes.rounds; ++round) {
        cp = std::min(cp, timed("cp -r " + quoted(medium.root / "medium/data") + " " + limit));
        oggdec = std::min(oggdec, timed("cd " + quoted(vorbis) + " && ls | xargs -P \"$(nproc)\" " +
                                        "-I{} oggdec -Q -o " + limit + "/{}.wav {}"));
        speexdec = std::min(speexdec, timed("cd " + quoted(speex) + " && ls | xargs -P " +
                                            "\"$(nproc)\" -I{} speexdec {} " + limit +
                                            "/{}.wav 2>/dev/null"));
        medium.clear("limit");
        const CopyRun next = runCopy(medium, "install.ini");
        copy = round == 0 ? next : bestOf(copy, next);
        medium.clear("target");
    }
    finishMedium(medium, root);

    const double total = cp + oggdec + speexdec;
    const bool met =
        copy.result == wxID_OK && copy.wall <= kMediumTarget * total && gapOk(copy);
    printRow("CD-like", copy, total,
             "(" + seconds3(cp) + " + " + seconds3(oggdec) + " + " + seconds3(speexdec) + ")",
             "<= 1.2 x limit", met);
    return met;
}

bool measureSmallFiles(const fs::path& root, int count, int rounds) {
    Medium medium(root / ("small-" + std::to_string(count)));
    const std::string small(kSmallSize, 's');
    for (int i = 0; i < count; ++i)
        addFile(medium, "data", "file" + std::to_string(i) + ".dat", small);
    writeScript(medium, "install.ini", medium.entries);
    double cp = 1e9;
    CopyRun copy;
    for (int round = 0; round < rounds; ++round) {
        cp = std::min(cp, timed("cp -r " + quoted(medium.root / "medium/data") + " " +
                                medium.peerFolder()));
        medium.clear("limit");
        const CopyRun next = runCopy(medium, "install.ini");
        copy = round == 0 ? next : bestOf(copy, next);
        medium.clear("target");
    }
    finishMedium(medium, root);

    const bool met = copy.result == wxID_OK &&
                     copy.wall <= kSmallFactor * cp + kSmallSlack && gapOk(copy);
    printRow(std::to_string(count) + " small files", copy, cp, "(cp)", "<= 2 x cp + 1 s", met);
    return met;
}

// Abort during the long conversion, pressed about kPressAfter into the copy or at half the
// peer's time for the same unit when that is sooner, and during the large file's copy, pressed
// kPressIntoCopy into it: from the page cache the copy can be over sooner than cp's time says,
// which includes the writing back of the file just made.
bool measureAbort(const fs::path& root, const Sizes& sizes) {
    Medium medium(root / "abort");
    const fs::path records = medium.root / "records";
    makeVorbis(records / "long.ogg", sizes.longSeconds, 0);
    addArchive(medium, records, kCodecVorbis, "sound", "long.snd");
    fs::create_directories(medium.root / "medium/big");
    timed("head -c " + std::to_string(sizes.largeMiB) + "M /dev/zero > " +
          quoted(medium.root / "medium/big/large.bin"));
    writeScript(medium, "convert.ini", {"sound\\long.snd"});
    writeScript(medium, "copy.ini", {"big\\large.bin"});

    const std::string limit = medium.peerFolder();
    constexpr double kPressIntoCopy = 0.1;
    const double conversionPeer =
        timed("oggdec -Q -o " + limit + "/long.wav " + quoted(records / "long.ogg"));
    const double copyPeer = timed("cp " + quoted(medium.root / "medium/big/large.bin") + " " + limit);
    const struct {
        const char* name;
        const char* script;
        double peer;
        double pressAfter;
    } cases[] = {
        {"long conversion", "convert.ini", conversionPeer, std::min(kPressAfter, conversionPeer / 2)},
        {"large file copy", "copy.ini", copyPeer, std::min(kPressIntoCopy, copyPeer / 2)},
    };
    medium.clear("limit");

    std::printf("\n%-18s %10s %10s %8s  %-10s %12s %6s %9s  %s\n", "Abort during", "peer",
                "pressed", "answer", "target", "~setup- left", "gap", "memory", "met");
    bool allMet = true;
    for (const auto& each : cases) {
        medium.clear("target");
        const CopyRun copy = runCopy(medium, each.script, each.pressAfter);
        const int left = leftovers(medium);
        const bool underWay = copy.answer >= 0 && copy.stopped && copy.result == wxID_CANCEL;
        const bool met = underWay && copy.answer <= kAnswerTarget && left == 0 && gapOk(copy);
        allMet = allMet && met;
        std::printf("%-18s %9.3fs %9.3fs %6.1fms  %-10s %12d %4.0fms %+7.1fMiB  %s%s\n",
                    each.name, each.peer, copy.pressedAt, copy.answer * 1000, "<= 100 ms", left,
                    copy.longestGap * 1000, copy.growthKiB / 1024.0, met ? "yes" : "NO",
                    underWay ? "" : "  (the copy was not under way at the press)");
        std::fflush(stdout);
    }
    finishMedium(medium, root);
    return allMet;
}

// "--files 1000,10000": the small-file media asked; "--rounds N"; "--quick": the smaller run.
bool parseArguments(int argc, char** argv, Sizes& sizes) {
    std::vector<int> files;
    int rounds = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            sizes = quickSizes();
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
            if (rounds < 1 || rounds > 100)
                return false;
        } else if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
            files.clear();
            for (const char* at = argv[++i]; *at;) {
                char* end = nullptr;
                const long size = std::strtol(at, &end, 10);
                if (end == at || size <= 0 || size > 1000000 || (*end && *end != ','))
                    return false;
                files.push_back(static_cast<int>(size));
                at = *end ? end + 1 : end;
            }
        } else {
            return false;
        }
    }
    if (!files.empty())
        sizes.smallFiles = files;
    if (rounds > 0)
        sizes.rounds = rounds;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Sizes sizes;
    if (!parseArguments(argc, argv, sizes)) {
        std::fprintf(stderr, "usage: copy_bench [--files N[,N...]] [--rounds N] [--quick]\n");
        return 2;
    }
    if (!run("command -v sox oggenc oggdec speexenc speexdec >/dev/null")) {
        std::fprintf(stderr, "copy_bench: sox, oggenc, oggdec, speexenc and speexdec are needed\n");
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
    std::printf("best of %d round(s) for each medium; gap and memory the worst of them\n",
                sizes.rounds);
    printHeader();
    bool ok = measureCdLike(root, sizes);
    for (int count : sizes.smallFiles)
        ok = measureSmallFiles(root, count, sizes.rounds) && ok;
    ok = measureAbort(root, sizes) && ok;
    std::printf("\n%s\n", ok ? "every target met" : "a target was missed");
    std::error_code ignored;
    fs::remove_all(root, ignored);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return ok ? 0 : 1;
}
