/* The demo medium's further program and DirectX program on Windows. Each run appends two lines
 * to a record file, so that a walkthrough can see how the setup program started it and whether it
 * waited:
 *   started<TAB>time<TAB>own path<TAB>command line<TAB>current folder
 *   ended<TAB>time<TAB>own path
 * Times are milliseconds since 1970 (UTC). The file is the one DEMO_PROGRAM_RECORD names, else
 * demo-programs.txt in the temporary folder (the medium itself is read-only). The program takes a
 * moment before it ends, so that a wait for it can be observed, and ends with exit code 0.
 * Only kernel32 and the C run-time Windows ships: it runs from the CD with nothing installed. */
#include <windows.h>

#define RUN_TIME_MS 2000

static unsigned long long nowMs(void) {
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    const unsigned long long ticks =
        ((unsigned long long)time.dwHighDateTime << 32) | time.dwLowDateTime;
    /* FILETIME counts 100 ns from 1601; 11644473600 s lie between 1601 and 1970. */
    return ticks / 10000 - 11644473600000ULL;
}

static void recordPath(wchar_t* path, DWORD size) {
    const DWORD length = GetEnvironmentVariableW(L"DEMO_PROGRAM_RECORD", path, size);
    if (length > 0 && length < size)
        return;
    const DWORD folder = GetTempPathW(size, path);
    if (folder == 0 || folder + 20 > size)
        path[0] = L'\0';
    else
        lstrcatW(path, L"demo-programs.txt");
}

/* Appends wide text to the line as UTF-8; false when the line is full. */
static BOOL appendText(char* line, int* used, int size, const wchar_t* text) {
    const int length = lstrlenW(text);
    if (length == 0)
        return TRUE;
    if (*used >= size)
        return FALSE;
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text, length, line + *used, size - *used, NULL, NULL);
    if (written <= 0)
        return FALSE;
    *used += written;
    return TRUE;
}

static void appendNumber(char* line, int* used, unsigned long long value) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = (char)('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0)
        line[(*used)++] = digits[--count];
}

/* Writes one line: the event, its time and the given fields, each after a tab. */
static void record(const wchar_t* event, const wchar_t* const* fields, int fieldCount) {
    /* Room for the longest command line Windows allows, in UTF-8, and the two paths. */
    static char line[32768 * 3 + 4 * MAX_PATH * 3 + 64];
    int used = 0;
    const int size = (int)sizeof line - 32;
    appendText(line, &used, size, event);
    line[used++] = '\t';
    appendNumber(line, &used, nowMs());
    for (int i = 0; i < fieldCount; ++i) {
        line[used++] = '\t';
        if (!appendText(line, &used, size, fields[i]))
            break;
    }
    line[used++] = '\r';
    line[used++] = '\n';

    wchar_t path[MAX_PATH * 2];
    recordPath(path, MAX_PATH * 2);
    if (path[0] == L'\0')
        return;
    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, (DWORD)used, &written, NULL);
    CloseHandle(file);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR arguments, int show) {
    (void)instance, (void)previous, (void)arguments, (void)show;
    static wchar_t self[MAX_PATH * 2], folder[MAX_PATH * 2];
    GetModuleFileNameW(NULL, self, MAX_PATH * 2);
    GetCurrentDirectoryW(MAX_PATH * 2, folder);
    /* The whole command line as the starting program formed it, the program's own name included. */
    const wchar_t* started[] = {self, GetCommandLineW(), folder};
    record(L"started", started, 3);
    Sleep(RUN_TIME_MS);
    const wchar_t* ended[] = {self};
    record(L"ended", ended, 1);
    return 0;
}
