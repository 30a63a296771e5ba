#pragma once
// Target folders as the user types them: a drive letter, a colon and a backslash first.
#include <string>

// "X:\" followed by anything: a folder that names its own drive.
bool isFullDrivePath(const std::string& text);

// A tidy full drive path that names a drive's root ("C:\\"), not a folder on it.
bool isDriveRoot(const std::string& tidyPath);

// A full drive path with "." and empty components left out, ".." taken back to the folder
// above, never above the drive's root, and each name's trailing dots and blanks left out, as
// the system reads such a path. The folder recorded for the installation is then the folder the
// files went to.
std::string tidyDrivePath(const std::string& text);

// The folder of a path: the path cut at its last backslash ("D:" for "D:\\setup.exe"). A name
// without a folder part lies in the current folder, ".".
std::string folderOfPath(const std::string& path);
// The running program's own folder, as above.
std::string ownProgramFolder();

// Whether Windows reserves a name for a device ("NUL", "con.txt", "Com1 "): such a name opens
// the device, never a file or folder of that name, wherever it stands in a path.
bool isReservedDeviceName(const std::string& name);
// The first component of a path that is such a name, or empty.
std::string reservedDeviceComponent(const std::string& path);

// Why a file or folder name (one component of a path) is refused: a device name as above,
// a character Windows never allows in a name (* ? " < > | or a control character), or a character
// that would show the name otherwise than it is (a C1 control, a direction mark).
enum class NameRefusal { None, DeviceName, ForbiddenCharacter, UnsafeCharacter };
NameRefusal windowsNameRefusal(const std::string& name);
// What follows a name in a message: "is a name Windows keeps for a device (...)", "holds a
// character Windows refuses in names (...)"; empty for None.
const char* describeNameRefusal(NameRefusal refusal);
// The first component of a path that Windows refuses, and why; an empty name when none is.
struct RefusedComponent {
    std::string name;
    NameRefusal why = NameRefusal::None;
};
RefusedComponent refusedComponent(const std::string& path);
