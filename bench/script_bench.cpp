// The copy list and the language page on a huge setup script (about 5 MB, 100,000 keys listed
// in the install mode's section, the language list after them) against the same on a script of
// 1,000 keys, measured in the same run. The copy list runs in a child process that is stopped
// after a time limit, so that a cost per key that grows with the script ends the run anyway.
// Run with a display: scripts/with-display.sh build/bench/script_bench [keys]
#include "BenchSupport.h"

#include "copy/CopyList.h"
#include "pages/LanguagePage.h"
#include "ui/DialogResources.h"
#include "script/SetupScript.h"

#include <wx/app.h>
#include <wx/init.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kSmallKeys = 1000;
constexpr int kLanguages = 12;
constexpr unsigned kTimeLimitSeconds = 60;

// About 50 bytes a key.
std::string scriptOfKeys(int keyCount) {
    std::string script = "[Option]\nPROGRAM_NAME=Demo\n[English]\n";
    for (int i = 0; i < 80; ++i)
        script += "IDS_TEXT_" + std::to_string(i) + "=A text of the installer's pages\n";
    script += "[std]\nfiles=" + std::to_string(keyCount) + "\n";
    for (int i = 0; i < keyCount; ++i)
        script += std::to_string(i) + "=data\\levels\\episode" + std::to_string(i % 97) +
                  "\\texture_" + std::to_string(1000000 + i) + ".dat\n";
    script += "[Language]\nNr=" + std::to_string(kLanguages) + "\n";
    for (int i = 0; i < kLanguages; ++i)
        script += std::to_string(i) + "=Language " + std::to_string(i) + "\n";
    return script;
}

// The processor's seconds the copy list took in a child process (on a busy machine the time
// on the clock says more about the others); negative (-seconds waited) when it ran past the
// time limit or went wrong.
double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

double timeCopyList(const std::string& scriptPath, int keyCount) {
    int fds[2];
    if (pipe(fds) != 0)
        return -0.0;
    const auto start = BenchClock::now();
    const pid_t child = fork();
    if (child == 0) {
        alarm(kTimeLimitSeconds);
        std::vector<std::string> list;
        int count = 0;
        const double cpuStart = processSeconds();
        buildFileList(SetupScript(scriptPath), "std", list, count);
        const double used = processSeconds() - cpuStart;
        const bool complete = count == keyCount && list.size() == static_cast<std::size_t>(count);
        _exit(complete && write(fds[1], &used, sizeof used) == sizeof used ? 0 : 1);
    }
    close(fds[1]);
    double elapsed = 0;
    const bool reported = read(fds[0], &elapsed, sizeof elapsed) == sizeof elapsed;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return reported && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed
                                                                     : -secondsSince(start);
}

double timeLanguagePage(const std::string& scriptPath) {
    const auto start = BenchClock::now();
    {
        LanguagePage page(nullptr, SetupScript(scriptPath));
        page.Show();
    }
    return secondsSince(start);
}

struct Timing {
    double copyList = 0;
    double page = 0;
    std::size_t bytes = 0;
};

Timing measure(const fs::path& root, int keyCount) {
    const fs::path path = root / ("install-" + std::to_string(keyCount) + ".ini");
    const std::string script = scriptOfKeys(keyCount);
    writeFile(path, script);
    Timing timing;
    timing.bytes = script.size();
    timing.copyList = timeCopyList(path.string(), keyCount);
    timing.page = 1e9;
    for (int round = 0; round < 3; ++round)
        timing.page = std::min(timing.page, timeLanguagePage(path.string()));
    return timing;
}

std::string shown(double elapsed) {
    char text[64];
    if (elapsed < 0)
        std::snprintf(text, sizeof text, "more than %.0f s (stopped)", -elapsed);
    else
        std::snprintf(text, sizeof text, "%.4f s", elapsed);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const int keyCount = argc > 1 ? std::max(kSmallKeys, std::atoi(argv[1])) : 100000;
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "script_bench: needs a display\n");
        return 2;
    }
    loadDialogResources();
    const fs::path root = benchFolder("script-bench");
    const Timing small = measure(root, kSmallKeys);
    const Timing huge = measure(root, keyCount);
    std::printf("script_bench: %d keys (%.2f MB) against %d keys (%.2f MB)\n", keyCount,
                huge.bytes / 1e6, kSmallKeys, small.bytes / 1e6);
    std::printf("  copy list       %s against %s of processor time", shown(huge.copyList).c_str(),
                shown(small.copyList).c_str());
    if (huge.copyList > 0 && small.copyList > 0)
        std::printf(", %.2f times the time per key",
                    (huge.copyList / keyCount) / (small.copyList / kSmallKeys));
    std::printf("\n  language page   %s against %s, ratio %.2f\n", shown(huge.page).c_str(),
                shown(small.page).c_str(), huge.page / small.page);
    std::printf("  (target: both well under a second on the huge script)\n");
    std::error_code ignored;
    fs::remove_all(root, ignored);
    wxTheApp->OnExit();
    wxEntryCleanup();
    const bool ok = huge.copyList > 0 && huge.copyList < 1 && huge.page < 1;
    return ok ? 0 : 1;
}
