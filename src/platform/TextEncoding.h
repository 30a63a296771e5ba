#pragma once
#include <string>

namespace platform {

bool isValidUtf8(const std::string& bytes);
// The first characters of a UTF-8 text, whole characters only.
std::string utf8Prefix(const std::string& text, std::size_t count);
// Converts between UTF-8 and an 8-bit code page ("1250", "1252", ...); unmappable characters
// become '?'.
std::string codePageToUtf8(const std::string& bytes, int codePage);
std::string utf8ToCodePage(const std::string& text, int codePage);

} // namespace platform
