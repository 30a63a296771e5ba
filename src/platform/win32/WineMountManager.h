/* Wine's own extension of the mount manager, as its configuration tool uses it: a drive letter
 * defined at run time over a Unix folder, with the drive type the system then reports. Shared by
 * the Linux program's disc drive helper and the Windows tests' drives; C, for both. */
#pragma once
#include <windows.h>
#include <winioctl.h>

#define WINE_DEFINE_UNIX_DRIVE CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS)
#define WINE_QUERY_UNIX_DRIVE CTL_CODE('m', 33, METHOD_BUFFERED, FILE_READ_ACCESS)

/* The request: this header, then the mount point (and device, label) it points at. */
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
