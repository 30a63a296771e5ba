#pragma once
// Text crosses into the system's wide ("W") functions here and nowhere else.
#include <string>

namespace platform::win32 {

// UTF-8 to UTF-16 and back; invalid input sequences become U+FFFD.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
std::string narrow(const wchar_t* wide, std::size_t length);

// A path for the wide functions: '/' written as '\'.
std::wstring widePath(const std::string& utf8Path);

} // namespace platform::win32
