// Registration of an installation (uninstall entry, program group with shortcuts, the record)
// into a current-user hive that already holds 20,000 keys, against the same registration into
// empty hives, measured in the same run. Each round writes the hive file anew, so every
// registration reads and parses it once, as a fresh installer would.
// Run: build/bench/registry_bench [keys]
#include "BenchSupport.h"

#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/posix/machine/DriveTable.h"
#include "script/SetupScript.h"
#include "system/Registration.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 5;
constexpr int kProductsPerMaker = 100;

// Keys as the registry editor writes them, every level in its own section, one value in each
// product key: about 75 bytes a key.
std::string hiveOfKeys(int keyCount) {
    std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n";
    int written = 1;
    for (int maker = 0; written < keyCount; ++maker) {
        const std::string makerKey = "[HKEY_CURRENT_USER\\Software\\Maker" + std::to_string(maker);
        text += makerKey + "]\r\n\r\n";
        ++written;
        for (int product = 0; product < kProductsPerMaker && written < keyCount;
             ++product, ++written)
            text += makerKey + "\\Product" + std::to_string(product) +
                    "]\r\n\"Path\"=\"C:\\\\Games\\\\P" + std::to_string(product) + "\"\r\n\r\n";
    }
    return text;
}

SetupSession demoSession() {
    SetupSession session;
    session.languageSection = "English";
    session.registryKey = "Software\\Tervalis\\Demo_English";
    session.uninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Demo_English";
    session.scriptPath = "D:\\install.ini";
    session.targetFolder = "C:\\Games\\Demo";
    session.companyName = "Tervalis";
    session.programName = "Demo";
    session.shortcuts[0] = {"Play Demo.lnk", "demo.exe", ""};
    session.shortcuts[1] = {"Editor.lnk", "tools\\editor.exe", ""};
    session.shortcutCount = 2;
    return session;
}

// One registration into the hive text given (nothing: no hive file yet).
double timeRegistration(const fs::path& root, const std::string& hiveText) {
    fs::remove_all(root / "registry");
    fs::remove_all(root / "c/data");
    if (!hiveText.empty())
        writeFile(root / "registry/current-user.reg", hiveText);
    const SetupSession session = demoSession();
    const SetupScript script(session.scriptPath, session.languageSection);
    const auto start = BenchClock::now();
    const bool registered =
        registerInstallation(session, script, session.targetFolder, session.languageSection);
    const double elapsed = secondsSince(start);
    if (!registered)
        std::fprintf(stderr, "registry_bench: the registration failed\n"), std::exit(1);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const int keyCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
    const fs::path root = benchFolder("registry-bench");
    writeFile(root / "d/install.ini",
              "[Option]\nDEINSTALLEXE_NAME=Uninstall.exe\n[English]\nIDS_PROGRAM_NAME=Demo\n");
    fs::create_directories(root / "c");
    writeFile(root / "drives", "c:|fixed|" + (root / "c").string() + "\nd:|cdrom|" +
                                   (root / "d").string() + "\nz:|fixed|/\n");
    setenv("SETUP_DRIVE_TABLE", (root / "drives").c_str(), 1);
    setenv("SETUP_REGISTRY_DIR", (root / "registry").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "c/data").c_str(), 1);
    platform::reloadDriveTable();
    platform::overrideOwnProgramPath("D:\\setup.exe");

    const std::string bigHive = hiveOfKeys(keyCount);
    double empty = 1e9, big = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        empty = std::min(empty, timeRegistration(root, {}));
        big = std::min(big, timeRegistration(root, bigHive));
    }
    std::printf("registry_bench: best of %d registrations\n", kRounds);
    std::printf("  into empty hives            %8.4f s\n", empty);
    std::printf("  into a hive of %6d keys   %8.4f s  (%.2f MB)\n", keyCount, big,
                bigHive.size() / 1e6);
    std::printf("  ratio %.2f, %.3f s more      (target: a few tenths of a second at most)\n",
                big / empty, big - empty);
    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
