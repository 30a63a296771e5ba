/* Run by the Linux setup program through Wine: defines a CD-ROM drive of the Wine prefix over a
 * Unix folder, through Wine's mount manager, as Wine's own configuration tool does. The manager
 * takes the drive at once, in the running Wine session too, and keeps it: the drive's link in the
 * prefix's "dosdevices" and its type in Wine's drive records.
 *   DefineDiscDrive.exe <letter> <Unix folder>
 * Exit code 0 when the drive is defined, 1 when the manager refused it, 2 for wrong arguments. */
#include "platform/win32/WineMountManager.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || !argv[1][0])
        return 2;
    char folder[4096];
    /* The manager takes the Unix path in the Unix character set, UTF-8. */
    const int length = WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, folder, sizeof folder, NULL, NULL);
    if (length <= 1)
        return 2;
    const DWORD size = (DWORD)(sizeof(struct WineUnixDrive) + (DWORD)length);
    struct WineUnixDrive* request = (struct WineUnixDrive*)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
    if (!request)
        return 1;
    request->size = size;
    request->type = DRIVE_CDROM;
    const WCHAR letter = argv[1][0];
    request->letter = letter >= L'A' && letter <= L'Z' ? (WCHAR)(letter - L'A' + L'a') : letter;
    request->mountPointOffset = sizeof(struct WineUnixDrive);
    CopyMemory((char*)request + sizeof(struct WineUnixDrive), folder, (SIZE_T)length);
    const HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
    if (manager == INVALID_HANDLE_VALUE)
        return 1;
    const BOOL defined = DeviceIoControl(manager, WINE_DEFINE_UNIX_DRIVE, request, size, NULL, 0, NULL, NULL);
    CloseHandle(manager);
    return defined ? 0 : 1;
}
