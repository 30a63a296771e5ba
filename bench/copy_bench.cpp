// The copy dialog on a made-up medium (many small files, a few large ones, archives with many
// records), timed against its floor measured in the same run: one 10 ms tick per unit, plus cp
// of the same files, plus oggdec/speexdec of the same records. Also prints the peak resident
// memory of the copy. Run with a display: scripts/with-display.sh build/bench/copy_bench
#include "copy/CopyProgressDialog.h"
#include "copy/SoundArchiveRecord.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "ui/DialogResources.h"

#include <wx/app.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kSmallFiles = 400;
constexpr int kSmallSize = 4096;
constexpr int kLargeFiles = 3;
constexpr int kLargeSize = 24 << 20;
constexpr int kRecordsPerArchive = 50;

struct Medium {
    fs::path root;
    std::vector<std::string> entries;
    std::size_t largestRecord = 0;
    int units = 0; // timer ticks the copy needs, the last one included
};

bool run(const std::string& commandLine) {
    return std::system(commandLine.c_str()) == 0;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

double seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// A memory figure of this process in KiB: "VmHWM" (peak since the last reset) or "VmRSS".
long residentKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

void resetPeakResident() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void addPlainFiles(Medium& medium) {
    const std::string small(kSmallSize, 's');
    for (int i = 0; i < kSmallFiles; ++i)
        writeFile(medium.root / "medium/data" / ("file" + std::to_string(i) + ".dat"), small);
    medium.entries.push_back("data\\");
    std::string large(kLargeSize, 'L');
    for (int i = 0; i < kLargeFiles; ++i) {
        large[0] = static_cast<char>('0' + i);
        writeFile(medium.root / "medium/big" / ("large" + std::to_string(i) + ".bin"), large);
        medium.entries.push_back("big\\large" + std::to_string(i) + ".bin");
    }
    medium.units += kSmallFiles + kLargeFiles;
}

// One archive of copies of one sound; each record is also left as a file for the decoder floor.
void addArchive(Medium& medium, const std::string& folder, std::uint32_t codec,
                const std::string& sound) {
    const std::string bytes = readFile(medium.root / "sounds" / sound);
    const std::string extension = codecExtension(codec);
    std::string archive;
    for (int i = 0; i < kRecordsPerArchive; ++i) {
        const std::string name = "r" + std::to_string(i) + extension;
        archive += encodeRecord(codec, name, bytes);
        writeFile(medium.root / "records" / folder / name, bytes);
    }
    writeFile(medium.root / "medium" / folder / (folder + ".snd"), archive);
    medium.entries.push_back(folder + "\\" + folder + ".snd");
    medium.largestRecord = std::max(medium.largestRecord, bytes.size());
    medium.units += kRecordsPerArchive + 2; // open, the records, close
}

Medium makeMedium() {
    Medium medium;
    medium.root = fs::temp_directory_path() / ("copy-bench-" + std::to_string(std::rand()));
    fs::create_directories(medium.root / "sounds");
    const std::string sounds = medium.root / "sounds";
    if (!run("cd '" + sounds +
             "' && sox -q -n -r 44100 -c 2 -b 16 m.wav synth 2 pluck C4 "
             "pluck E4 && oggenc -Q -o music.ogg m.wav && "
             "sox -q -n -r 16000 -c 1 -b 16 v.wav synth 2 sine 300 && "
             "speexenc --quiet v.wav voice.spx"))
        std::fprintf(stderr, "copy_bench: sox, oggenc and speexenc are needed\n"), std::exit(2);
    addPlainFiles(medium);
    addArchive(medium, "music", kCodecVorbis, "music.ogg");
    addArchive(medium, "speech", kCodecSpeex, "voice.spx");
    medium.units += 1; // the tick that finds the list done
    std::string script = "[English]\n[std]\nfiles=" + std::to_string(medium.entries.size()) + "\n";
    for (std::size_t i = 0; i < medium.entries.size(); ++i)
        script += std::to_string(i) + "=" + medium.entries[i] + "\n";
    writeFile(medium.root / "medium/install.ini", script);
    return medium;
}

// The work that the copy cannot avoid, done by the system's own tools.
double floorWork(const Medium& medium) {
    const std::string root = "'" + medium.root.string() + "'";
    const std::string steps[] = {
        "mkdir -p " + root + "/floor/data " + root + "/floor/big",
        "cp " + root + "/medium/data/* " + root + "/floor/data/",
        "cp " + root + "/medium/big/* " + root + "/floor/big/",
        "cd " + root + "/records/music && oggdec -Q *.ogg 2>/dev/null",
        "cd " + root +
            "/records/speech && for f in *.spx; do "
            "speexdec \"$f\" \"${f%.spx}.wav\" 2>/dev/null; done",
    };
    const auto start = Clock::now();
    for (const auto& step : steps)
        run(step);
    return seconds(Clock::now() - start);
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
    const auto start = Clock::now();
    {
        CopyProgressDialog dialog(&target, nullptr, "English", mediumFolder + "\\install.ini");
        dialog.Bind(wxEVT_TIMER, [&](wxTimerEvent& event) {
            ++copy.ticks;
            event.Skip();
        });
        copy.result = dialog.ShowModal();
    }
    copy.wall = seconds(Clock::now() - start);
    copy.peakKiB = residentKiB("VmHWM");
    return copy;
}

} // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "copy_bench: needs a display\n");
        return 2;
    }
    (void)argc;
    loadDialogResources();
    const Medium medium = makeMedium();
    fs::create_directories(medium.root / "target");
    const double work = floorWork(medium);
    const CopyRun copy = runCopy(medium);
    const double floor = medium.units * 0.010 + work;
    const double budgetKiB = medium.largestRecord / 1024.0 + 32 * 1024;
    std::printf("copy_bench: %d units (%d ticks), result %s\n", medium.units, copy.ticks,
                copy.result == wxID_OK ? "OK" : "Cancel");
    std::printf("  copy dialog      %8.3f s\n", copy.wall);
    std::printf("  floor            %8.3f s  (%d x 10 ms + cp/oggdec/speexdec %.3f s)\n", floor,
                medium.units, work);
    std::printf("  ratio            %8.3f    (target <= 1.15)\n", copy.wall / floor);
    const long growthKiB = copy.peakKiB - copy.startKiB;
    std::printf("  peak memory      %8.1f MiB of the process, %.1f MiB above its start "
                "(target <= largest record %.2f MiB + 32 MiB)\n",
                copy.peakKiB / 1024.0, growthKiB / 1024.0, medium.largestRecord / 1048576.0);
    const bool ok = copy.result == wxID_OK && copy.wall / floor <= 1.15 && growthKiB <= budgetKiB;
    std::error_code ignored;
    fs::remove_all(medium.root, ignored);
    wxTheApp->OnExit();
    wxEntryCleanup();
    return ok ? 0 : 1;
}
