// The whole demo installation (main window, pages, folder check, copy, registration and the
// finishing steps, every page and box answered at once) timed against its floor measured in the
// same run: cp of the same files, plus oggdec and speexdec of
// the same records. Run with a display: scripts/with-display.sh build/bench/install_bench
#include "app/SetupDialog.h"
#include "copy/CopyList.h"
#include "pages/CopyProgressDialog.h"
#include "pages/InstallTypePage.h"
#include "platform/Paths.h"
#include "platform/posix/machine/DriveTable.h"
#include "ui/DialogResources.h"
#include "script/SetupScript.h"

#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRounds = 3;

// Answers like a user in a hurry: the full install, Yes to creating the folder, No to the
// further program and to DirectX; the main window and the copy run for real.
class HurriedUser : public wxModalDialogHook {
public:
    HurriedUser() { Register(); }
    ~HurriedUser() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override {
        if (dynamic_cast<SetupDialog*>(dialog) || dynamic_cast<CopyProgressDialog*>(dialog))
            return wxID_NONE;
        if (auto* page = dynamic_cast<InstallTypePage*>(dialog)) {
            auto* full = wxDynamicCast(page->FindWindow(InstallTypePage::kFullId), wxRadioButton);
            full->SetValue(true);
            wxCommandEvent click(wxEVT_RADIOBUTTON, InstallTypePage::kFullId);
            click.SetEventObject(full);
            page->GetEventHandler()->ProcessEvent(click);
            return wxID_OK;
        }
        if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
            const long style = box->GetMessageDialogStyle();
            if (!(style & wxYES_NO))
                return wxID_OK;
            return box->GetTitle() == "Moonrise Harbour" ? wxID_YES : wxID_NO;
        }
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

double seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

bool run(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

struct Sandbox {
    fs::path root;
    fs::path medium;
    fs::path home() const { return root / "home"; }
};

Sandbox makeSandbox(const fs::path& builtMedium) {
    Sandbox box{fs::temp_directory_path() / ("install-bench-" + std::to_string(getpid())), {}};
    fs::remove_all(box.root);
    box.medium = box.root / "cd";
    fs::create_directories(box.root);
    fs::copy(builtMedium, box.medium, fs::copy_options::recursive);
    fs::create_directories(box.home() / "Windows");
    fs::create_directories(box.root / "bin");
    std::ofstream(box.root / "drives") << "c:|fixed|" << box.home().string() << "\nd:|cdrom|"
                                       << box.medium.string() << "\nz:|fixed|/\n";
    std::ofstream(box.root / "bin/xdg-open") << "#!/bin/sh\nexit 0\n";
    fs::permissions(box.root / "bin/xdg-open", fs::perms::owner_all);
    setenv("PATH", ((box.root / "bin").string() + ":" + std::getenv("PATH")).c_str(), 1);
    setenv("SETUP_DRIVE_TABLE", (box.root / "drives").c_str(), 1);
    setenv("SETUP_REGISTRY_DIR", (box.root / "registry").c_str(), 1);
    setenv("XDG_DATA_HOME", (box.root / "data").c_str(), 1);
    setenv("WINDIR", "C:\\Windows", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    platform::reloadDriveTable();
    platform::overrideOwnProgramPath("D:\\setup");
    fs::current_path(box.medium);
    return box;
}

double timeInstallation(const Sandbox& box) {
    fs::remove_all(box.home() / "Games");
    HurriedUser user;
    const auto start = Clock::now();
    SetupDialog window(nullptr);
    if (!window.initialise())
        return -1;
    window.CallAfter([&window] { window.runInstallSequence(); });
    window.ShowModal();
    return seconds(Clock::now() - start);
}

// The same copies and decodes done by the peers, one after another, and the copy's units.
double timeFloor(const Sandbox& box, int& units) {
    std::vector<std::string> list;
    int count = 0;
    buildFileList(SetupScript("D:\\install.ini"), "max", list, count);
    const fs::path work = box.root / "floor";
    fs::remove_all(work);
    fs::create_directories(work / "records");
    units = 0;
    double elapsed = 0;
    for (std::string entry : list) {
        for (char& c : entry)
            if (c == '\\')
                c = '/';
        if (entry.find(".snd") == std::string::npos) {
            units += 1;
            const auto start = Clock::now();
            run("mkdir -p '" + (work / entry).parent_path().string() + "' && cp '" +
                (box.medium / entry).string() + "' '" + (work / entry).string() + "'");
            elapsed += seconds(Clock::now() - start);
            continue;
        }
        const fs::path records = work / "records" / fs::path(entry).stem();
        fs::create_directories(records);
        run(std::string(SETUP_BIN_DIR) + "/sndpack extract '" + (box.medium / entry).string() +
            "' '" + records.string() + "' >/dev/null");
        units += 2; // opening and closing the archive
        for (const auto& record : fs::directory_iterator(records)) {
            units += 1;
            const std::string in = record.path().string();
            const auto start = Clock::now();
            if (record.path().extension() == ".ogg")
                run("oggdec -Q -o '" + in + ".wav' '" + in + "'");
            else
                run("speexdec '" + in + "' '" + in + ".wav' 2>/dev/null");
            elapsed += seconds(Clock::now() - start);
        }
    }
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const char* build = std::getenv("SETUP_BUILD_DIR");
    const fs::path builtMedium =
        fs::absolute(fs::path(build ? build : SETUP_BUILD_DIR_DEFAULT) / "medium");
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv) || argc < 1)
        return 2;
    wxInitAllImageHandlers();
    loadDialogResources();
    const Sandbox box = makeSandbox(builtMedium);
    double best = 1e9, bestFloor = 1e9;
    int units = 0;
    for (int round = 0; round < kRounds; ++round) {
        const double installation = timeInstallation(box);
        const double floor = timeFloor(box, units);
        std::printf("round %d: installation %.3f s, floor %.3f s\n", round + 1, installation,
                    floor);
        best = std::min(best, installation);
        bestFloor = std::min(bestFloor, floor);
    }
    std::printf("install_bench: %d copy units; best installation %.3f s, best floor %.3f s, "
                "ratio %.2f (target at most 1.2)\n",
                units, best, bestFloor, best / bestFloor);
    fs::current_path("/");
    fs::remove_all(box.root);
    wxEntryCleanup();
    return 0;
}
