/* The game of the Wine prefix test's medium: a Windows program that does what a game does to
 * find itself. It reads the language from the script copy beside it ("Option", "Language"), its
 * installer's record under the current user's "Software\Tervalis\<PROGRAM_NAME>_<language>" in
 * the 32-bit view (the game it stands for is a 32-bit program), and its own folder, and writes
 *   folder=<own folder>
 *   ProgramPath=<value>
 *   Lang=<value>
 *   current=<current folder>
 *   disc=<letter>:|<volume label>|<whether install.ini is on it>
 * (the first CD-ROM drive holding a medium, as a game looks for its disc) in UTF-8 to "record-reader.txt" in its own folder. A value it cannot read is written empty.
 * Exit code 0, or 1 when the file cannot be written. */
#include <windows.h>

#define TEXT_SIZE 1024

static void readRecord(const wchar_t* key, const wchar_t* name, wchar_t* value) {
    HKEY opened;
    DWORD size = TEXT_SIZE * sizeof(wchar_t);
    DWORD type = 0;
    value[0] = L'\0';
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ | KEY_WOW64_32KEY, &opened) != 0)
        return;
    if (RegQueryValueExW(opened, name, NULL, &type, (BYTE*)value, &size) != 0 || type != REG_SZ)
        value[0] = L'\0';
    value[TEXT_SIZE - 1] = L'\0';
    RegCloseKey(opened);
}

static BOOL writeLine(HANDLE file, const wchar_t* name, const wchar_t* value) {
    char line[4 * TEXT_SIZE];
    int used = WideCharToMultiByte(CP_UTF8, 0, name, -1, line, sizeof line, NULL, NULL) - 1;
    line[used++] = '=';
    used += WideCharToMultiByte(CP_UTF8, 0, value, lstrlenW(value), line + used,
                                (int)sizeof line - used - 1, NULL, NULL);
    line[used++] = '\n';
    DWORD written = 0;
    return WriteFile(file, line, (DWORD)used, &written, NULL) && written == (DWORD)used;
}

/* The first CD-ROM drive with a readable medium: "D:|LABEL|install.ini" (or "-" for no script). */
static void findDisc(wchar_t* disc) {
    disc[0] = L'\0';
    const DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        wchar_t root[] = {(wchar_t)(L'A' + letter), L':', L'\\', L'\0'};
        wchar_t label[MAX_PATH + 1] = L"", script[16];
        if (!(drives & (1u << letter)) || GetDriveTypeW(root) != DRIVE_CDROM ||
            !GetVolumeInformationW(root, label, MAX_PATH + 1, NULL, NULL, NULL, NULL, 0))
            continue;
        wsprintfW(script, L"%c:\\install.ini", root[0]);
        wsprintfW(disc, L"%c:|%s|%s", root[0], label,
                  GetFileAttributesW(script) == INVALID_FILE_ATTRIBUTES ? L"-" : L"install.ini");
        return;
    }
}

int wmain(void) {
    wchar_t folder[TEXT_SIZE], script[TEXT_SIZE], output[TEXT_SIZE], current[TEXT_SIZE];
    wchar_t program[TEXT_SIZE], language[TEXT_SIZE], key[TEXT_SIZE];
    wchar_t programPath[TEXT_SIZE], lang[TEXT_SIZE], disc[TEXT_SIZE];
    const DWORD length = GetModuleFileNameW(NULL, folder, TEXT_SIZE);
    if (length == 0 || length >= TEXT_SIZE)
        return 1;
    *wcsrchr(folder, L'\\') = L'\0';
    wsprintfW(script, L"%s\\install.ini", folder);
    wsprintfW(output, L"%s\\record-reader.txt", folder);
    GetPrivateProfileStringW(L"Option", L"PROGRAM_NAME", L"", program, TEXT_SIZE, script);
    GetPrivateProfileStringW(L"Option", L"Language", L"", language, TEXT_SIZE, script);
    wsprintfW(key, L"Software\\Tervalis\\%s_%s", program, language);
    readRecord(key, L"ProgramPath", programPath);
    readRecord(key, L"Lang", lang);
    if (GetCurrentDirectoryW(TEXT_SIZE, current) == 0)
        current[0] = L'\0';
    findDisc(disc);
    HANDLE file = CreateFileW(output, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const BOOL written = writeLine(file, L"folder", folder) &&
                         writeLine(file, L"ProgramPath", programPath) &&
                         writeLine(file, L"Lang", lang) && writeLine(file, L"current", current) &&
                         writeLine(file, L"disc", disc);
    CloseHandle(file);
    return written ? 0 : 1;
}
