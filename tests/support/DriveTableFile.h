#pragma once
// Presents a drive table of the test's own through SETUP_DRIVE_TABLE.
#include "platform/posix/machine/DriveTable.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>

class DriveTableFile {
public:
    DriveTableFile(const TempFolder& folder, const std::string& lines) {
        const auto file = folder.path() / "drives.table";
        std::ofstream(file) << lines;
        setenv("SETUP_DRIVE_TABLE", file.c_str(), 1);
        platform::reloadDriveTable();
    }
    ~DriveTableFile() {
        unsetenv("SETUP_DRIVE_TABLE");
        platform::reloadDriveTable();
    }
};
