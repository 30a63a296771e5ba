#include "platform/posix/machine/DriveTable.h"

#include "platform/posix/machine/DriveAssignment.h"
#include "platform/posix/disc/Mounts.h"
#include "platform/posix/NativePath.h"
#include "platform/posix/machine/RegistryHiveFile.h"
#include "platform/posix/disc/StartedMedium.h"
#include "platform/posix/wine/WineDiscDrive.h"
#include "platform/posix/wine/WinePrefix.h"
#include "platform/posix/wine/WineRun.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

using posix::isOptical;
using posix::labelOfDevice;
using posix::Mount;
using posix::mountHolding;
using posix::readMounts;

bool isRemovableDevice(const std::string& device) {
    char resolved[PATH_MAX];
    if (!realpath(device.c_str(), resolved))
        return false;
    std::string name = resolved;
    name = name.substr(name.find_last_of('/') + 1);
    // A partition (sdb1) answers for its disk (sdb).
    for (std::string disk = name; !disk.empty(); disk.pop_back()) {
        std::ifstream flag("/sys/block/" + disk + "/removable");
        int removable = 0;
        if (flag >> removable)
            return removable == 1;
    }
    return false;
}

DriveType typeOfMount(const Mount& mount) {
    static const char* remoteTypes[] = {"nfs",   "nfs4",       "cifs", "smb3",
                                        "smbfs", "fuse.sshfs", "9p",   "afs"};
    if (isOptical(mount.type))
        return DriveType::CdRom;
    for (const char* type : remoteTypes)
        if (mount.type == type)
            return DriveType::Remote;
    if (mount.type == "tmpfs" || mount.type == "ramfs")
        return DriveType::RamDisk;
    if (isRemovableDevice(mount.device))
        return DriveType::Removable;
    return DriveType::Fixed;
}

struct TypeName {
    const char* name;
    DriveType type;
};

// The drive table's type names, and Wine's records of a drive's type as its configuration
// writes them.
constexpr TypeName kTableTypeNames[] = {{"fixed", DriveType::Fixed},
                                        {"removable", DriveType::Removable},
                                        {"remote", DriveType::Remote},
                                        {"cdrom", DriveType::CdRom},
                                        {"ramdisk", DriveType::RamDisk}};
constexpr TypeName kWineTypeNames[] = {{"hd", DriveType::Fixed},
                                       {"floppy", DriveType::Removable},
                                       {"network", DriveType::Remote},
                                       {"cdrom", DriveType::CdRom},
                                       {"ramdisk", DriveType::RamDisk}};

template <std::size_t N> DriveType typeNamed(const std::string& name, const TypeName (&names)[N]) {
    const std::string lower = posix::asciiLower(name);
    for (const TypeName& entry : names)
        if (lower == entry.name)
            return entry.type;
    return DriveType::Unknown;
}

std::vector<std::string> splitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
        fields.push_back(line.substr(start, bar - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A table file: one drive per line, "letter:|type|folder|label|flags"; the label and the flags
// are optional ("compressed" marks a compressed volume); '#' starts a comment line.
std::vector<DriveEntry> readTableFile(const std::string& path) {
    std::vector<DriveEntry> drives;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const auto fields = splitFields(line);
        if (fields.size() < 3 || fields[0].empty() ||
            !std::isalpha(static_cast<unsigned char>(fields[0][0])))
            continue;
        DriveEntry drive;
        drive.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(fields[0][0])));
        drive.type = typeNamed(fields[1], kTableTypeNames);
        drive.folder = fields[2];
        drive.labelGiven = fields.size() > 3;
        drive.label = drive.labelGiven ? fields[3] : std::string();
        drive.compressed = fields.size() > 4 && posix::asciiLower(fields[4]) == "compressed";
        drives.push_back(drive);
    }
    return drives;
}

std::vector<DriveEntry> machineTable() {
    std::vector<DriveEntry> drives;
    const char* home = std::getenv("HOME");
    drives.push_back({'c', home && *home ? home : "/root", DriveType::Unknown, {}, false, false});
    char letter = 'd';
    for (const Mount& mount : readMounts())
        if (isOptical(mount.type) && letter < 'z')
            drives.push_back({letter++, mount.folder, DriveType::CdRom, {}, false, false});
    drives.push_back({'z', "/", DriveType::Unknown, {}, false, false});
    return drives;
}

// The prefix's drives: its "dosdevices" links ("c:" to "../drive_c", "d:" to a medium, "z:" to
// the root), typed by Wine's own records; a drive without a record is typed by the mount table,
// as Wine does.
std::vector<DriveEntry> wineTable(const std::string& prefix) {
    constexpr const char* kDrivesKey = "HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives";
    posix::RegistryHiveFile records("HKEY_LOCAL_MACHINE");
    if (const auto text = posix::readWineKeyText(prefix, kDrivesKey))
        records.parse(*text);
    std::vector<DriveEntry> drives;
    const std::string devices = prefix + "/dosdevices";
    DIR* folder = opendir(devices.c_str());
    if (!folder)
        return drives;
    while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        // "d::" names the device behind "d:"; "com1" and the like are no drives.
        if (name.size() != 2 || name[1] != ':' ||
            !std::isalpha(static_cast<unsigned char>(name[0])))
            continue;
        const std::string link = devices + "/" + name;
        char resolved[PATH_MAX];
        DriveEntry drive;
        drive.letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
        // A drive whose medium is away keeps its place under the name Wine would look at.
        drive.folder = realpath(link.c_str(), resolved) ? std::string(resolved) : link;
        // A drive this program made for a disc is that disc's again when the run is on it.
        const posix::StartedMedium* medium = posix::startedMedium();
        const std::string source = posix::wineDiscSource(prefix, drive.folder);
        if (medium && !source.empty() &&
            source == (medium->image.empty() ? medium->folder : medium->image))
            drive.folder = medium->folder;
        drive.type =
            typeNamed(records.stringValue("Software\\Wine\\Drives", name).value_or(std::string()),
                      kWineTypeNames);
        drives.push_back(drive);
    }
    closedir(folder);
    return drives;
}

std::vector<DriveEntry>& cachedTable() {
    static std::vector<DriveEntry> table;
    return table;
}

bool& tableLoaded() {
    static bool loaded = false;
    return loaded;
}

void sortByLetter(std::vector<DriveEntry>& drives) {
    std::sort(drives.begin(), drives.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.letter < b.letter; });
}

const DriveEntry* findDrive(const std::string& root) {
    if (root.empty())
        return nullptr;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(root[0])));
    for (const DriveEntry& drive : driveTable())
        if (drive.letter == letter)
            return &drive;
    return nullptr;
}

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The medium the run was started on is a CD-ROM drive with the disc's label, as the disc is on
// Windows: the drive that shows its root already, else the first free letter from d:.
void showStartedMedium(std::vector<DriveEntry>& drives) {
    const posix::StartedMedium* medium = posix::startedMedium();
    if (!medium)
        return;
    for (DriveEntry& drive : drives) {
        if (posix::sameResolvedPath(drive.folder, medium->folder)) {
            drive.type = DriveType::CdRom;
            drive.label = medium->label;
            drive.labelGiven = true;
            return;
        }
    }
    for (char letter = 'd'; letter < 'z'; ++letter) {
        const bool taken = std::any_of(drives.begin(), drives.end(),
                                       [letter](const DriveEntry& d) { return d.letter == letter; });
        if (!taken) {
            drives.push_back({letter, medium->folder, DriveType::CdRom, medium->label, true, false});
            return;
        }
    }
}

} // namespace

const std::vector<DriveEntry>& driveTable() {
    if (!tableLoaded()) {
        const char* file = std::getenv("SETUP_DRIVE_TABLE");
        const std::string& prefix = posix::winePrefix();
        cachedTable() = file && *file     ? readTableFile(file)
                        : !prefix.empty() ? wineTable(prefix)
                                          : machineTable();
        showStartedMedium(cachedTable());
        sortByLetter(cachedTable());
        tableLoaded() = true;
    }
    return cachedTable();
}

std::optional<std::vector<DriveEntry>> givenDriveTable() {
    const char* file = std::getenv("SETUP_DRIVE_TABLE");
    if (!file || !*file)
        return std::nullopt;
    return readTableFile(file);
}

void reloadDriveTable() {
    tableLoaded() = false;
}

char posix::startedMediumLetter() {
    const posix::StartedMedium* medium = posix::startedMedium();
    if (!medium)
        return 0;
    for (const DriveEntry& drive : driveTable())
        if (drive.type == DriveType::CdRom && posix::sameResolvedPath(drive.folder, medium->folder))
            return drive.letter;
    return 0;
}

char posix::assignDrive(const std::string& nativeFolder) {
    const auto& table = driveTable();
    for (char letter = 'y'; letter >= 'c'; --letter) {
        const bool taken = std::any_of(table.begin(), table.end(), [letter](const DriveEntry& d) {
            return d.letter == letter;
        });
        if (taken)
            continue;
        cachedTable().push_back({letter, nativeFolder, DriveType::Fixed, {}, false, false});
        sortByLetter(cachedTable());
        return letter;
    }
    return 0;
}

DriveType driveType(const std::string& root) {
    const DriveEntry* drive = findDrive(root);
    if (!drive)
        return DriveType::NoRootDir;
    if (drive->type != DriveType::Unknown)
        return drive->type;
    const auto mount = mountHolding(drive->folder);
    return mount ? typeOfMount(*mount) : DriveType::Fixed;
}

bool volumeInformation(const std::string& root, VolumeInformation& information) {
    const DriveEntry* drive = findDrive(root);
    if (!drive || !isFolder(drive->folder))
        return false;
    information.fileSystemFlags = drive->compressed ? kCompressedVolumeFlag : 0;
    if (drive->labelGiven) {
        information.label = drive->label;
    } else {
        const auto mount = mountHolding(drive->folder);
        information.label = mount ? labelOfDevice(mount->device) : std::string();
    }
    return true;
}

} // namespace platform
