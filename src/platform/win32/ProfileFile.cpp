// Profile files through the system's own profile functions. They read a file with a UTF-16
// byte order mark as UTF-16 and any other file as ANSI text in the system's code page. A
// script written in UTF-8 is therefore read as ANSI and turned back into its own bytes here:
// a single-byte ANSI code page gives every byte its own character, so the way back is exact.
#include "platform/ProfileFile.h"

#include "platform/BoundedRead.h"
#include "platform/TextEncoding.h"
#include "platform/win32/ReadOnly.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <vector>
#include <windows.h>

namespace platform {
namespace {

constexpr std::size_t kValueLimit = 259;
// A value longer than this is cut here before our own cut (characters, terminator included).
constexpr DWORD kLongestRead = 1 << 16;
// The part of the file that decides whether it is UTF-8.
constexpr std::size_t kEncodingProbe = 1 << 20;

enum class FileEncoding { Ansi, Utf8, MarkedUtf8, Utf16 };

// The profile functions look for a path without a folder in the Windows folder; here a
// relative path means the current folder, as everywhere else.
std::wstring fullPath(const std::string& path) {
    const std::wstring wide = win32::widePath(path);
    if (wide.empty())
        return {};
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    return full;
}

bool isAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

FileEncoding encodingOf(const std::wstring& path) {
    std::FILE* file = _wfopen(path.c_str(), L"rb");
    if (!file)
        return FileEncoding::Ansi;
    std::string head;
    char chunk[1 << 14];
    while (head.size() < kEncodingProbe) {
        const std::size_t wanted = std::min(sizeof chunk, kEncodingProbe - head.size());
        const std::size_t got = std::fread(chunk, 1, wanted, file);
        head.append(chunk, got);
        if (got < wanted)
            break;
    }
    std::fclose(file);
    if (head.compare(0, 2, "\xFF\xFE") == 0 || head.compare(0, 2, "\xFE\xFF") == 0)
        return FileEncoding::Utf16;
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0)
        return FileEncoding::MarkedUtf8;
    if (head.size() == kEncodingProbe) {
        // The probe may end inside a character: judge the whole characters before it.
        while (!head.empty() && (static_cast<unsigned char>(head.back()) & 0xC0) == 0x80)
            head.pop_back();
        if (!head.empty() && static_cast<unsigned char>(head.back()) >= 0xC0)
            head.pop_back();
    }
    return isValidUtf8(head) ? FileEncoding::Utf8 : FileEncoding::Ansi;
}

// The bytes that the ANSI code page gives the text; false when a character has none.
bool ansiBytes(const std::wstring& text, std::string& bytes) {
    if (text.size() > INT_MAX)
        return false;
    const int size = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return false;
    bytes.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(), length,
                        nullptr, &lossy);
    return !lossy;
}

// The text whose ANSI reading the bytes are: what the profile functions must be given to put
// exactly these bytes into an ANSI file. False when the code page cannot carry them back.
bool ansiReading(const std::string& bytes, std::wstring& text) {
    if (bytes.size() > INT_MAX)
        return false;
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    text.assign(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    std::string back;
    return ansiBytes(text, back) && back == bytes;
}

// A value of a UTF-8 file. Read as ANSI text, its ANSI bytes are the file's own; where the
// system knew the file for UTF-8 by its mark the text is right already, and its ANSI bytes
// are lost or no UTF-8.
std::string valueOfUtf8File(const std::wstring& value) {
    std::string bytes;
    if (GetACP() != CP_UTF8 && ansiBytes(value, bytes) && isValidUtf8(bytes))
        return bytes;
    return win32::narrow(value);
}

std::wstring readValue(const std::wstring& file, const std::string& section,
                       const std::string& key) {
    const std::wstring wideSection = win32::widen(section);
    const std::wstring wideKey = win32::widen(key);
    for (DWORD size = 1024;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"",
                                                      buffer.data(), size, file.c_str());
        // A value that fills the buffer may be longer: read again with more room.
        if (length + 1 < size || size >= kLongestRead) {
            buffer.resize(length < size ? length : size - 1);
            return buffer;
        }
    }
}

// A list of zero-terminated names ending in an empty one, as the section functions give it.
std::vector<std::wstring> readNameList(const std::wstring& file, const wchar_t* section) {
    for (DWORD size = 4096;; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length =
            section ? GetPrivateProfileSectionW(section, buffer.data(), size, file.c_str())
                    : GetPrivateProfileSectionNamesW(buffer.data(), size, file.c_str());
        if (length + 2 >= size && size < (1u << 24))
            continue; // cut short: read again with more room
        std::vector<std::wstring> names;
        for (std::size_t at = 0; at < length && buffer[at] != L'\0';) {
            const std::size_t end = buffer.find(L'\0', at);
            names.push_back(buffer.substr(at, end - at));
            at = end + 1;
        }
        return names;
    }
}


bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The section functions tell names, not lines. The lines are found in the file's own text: where
// the first header of each section stands, and the first line of each of its keys. A name that
// is not ASCII in an ANSI file, and every name of a UTF-16 file, keeps its line unknown.
void findLines(const std::string& file, std::vector<ProfileSectionLines>& sections) {
    constexpr std::size_t kScriptLimit = 64u << 20;
    std::string bytes;
    if (readRegularFile(file, kScriptLimit, bytes) != FileReadResult::Read)
        return;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    ProfileSectionLines* current = nullptr;
    std::size_t start = 0;
    for (int number = 1; start < bytes.size(); ++number) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string line = trimmed(bytes.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            const std::string name = trimmed(line.substr(1, line.find(']') - 1));
            const auto found = std::find_if(sections.begin(), sections.end(), [&](const auto& s) {
                return sameName(s.name, name);
            });
            // Only the first section of a name is read; a later one's keys are not its keys.
            current = found != sections.end() && found->line == kLineUnknown ? &*found : nullptr;
            if (current)
                current->line = number;
            continue;
        }
        if (!current)
            continue;
        const std::string name = trimmed(line.substr(0, line.find('=')));
        for (auto& key : current->keys)
            if (key.line == kLineUnknown && sameName(key.name, name)) {
                key.line = number;
                break;
            }
    }
}

} // namespace

std::vector<ProfileSectionLines> listProfileLines(const std::string& path) {
    std::vector<ProfileSectionLines> sections;
    const std::wstring file = fullPath(path);
    if (file.empty() || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return sections;
    for (const std::wstring& section : readNameList(file, nullptr)) {
        ProfileSectionLines entry;
        entry.name = win32::narrow(section);
        for (const std::wstring& line : readNameList(file, section.c_str())) {
            const std::wstring name = line.substr(0, line.find(L'='));
            const bool seen = std::any_of(entry.keys.begin(), entry.keys.end(),
                                          [&](const ProfileKeyLine& key) {
                                              return CompareStringOrdinal(
                                                         win32::widen(key.name).c_str(), -1,
                                                         name.c_str(), -1, TRUE) == CSTR_EQUAL;
                                          });
            if (!seen)
                entry.keys.push_back({win32::narrow(name), kLineUnknown});
        }
        sections.push_back(std::move(entry));
    }
    if (encodingOf(file) != FileEncoding::Utf16)
        findLines(win32::narrow(file), sections);
    return sections;
}

std::string readProfileString(const std::string& path, const std::string& section,
                              const std::string& key) {
    const std::wstring file = fullPath(path);
    if (file.empty())
        return {};
    const std::wstring value = readValue(file, section, key);
    std::string text = win32::narrow(value);
    if (!isAscii(text)) {
        const FileEncoding encoding = encodingOf(file);
        if (encoding == FileEncoding::Utf8 || encoding == FileEncoding::MarkedUtf8)
            text = valueOfUtf8File(value);
    }
    return utf8Prefix(text, kValueLimit);
}

bool writeProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::wstring file = fullPath(path);
    if (file.empty())
        return false;
    if (win32::isReadOnlyFile(file))
        return false;
    std::wstring text = win32::widen(value);
    // An unmarked UTF-8 file is ANSI text to the system: give it the text whose ANSI bytes are
    // the value's UTF-8, so that the file keeps one encoding.
    std::wstring asAnsi;
    if (!isAscii(value) && GetACP() != CP_UTF8 && encodingOf(file) == FileEncoding::Utf8 &&
        ansiReading(value, asAnsi))
        text = asAnsi;
    return WritePrivateProfileStringW(win32::widen(section).c_str(), win32::widen(key).c_str(),
                                      text.c_str(), file.c_str());
}

} // namespace platform
