#pragma once
#include <string>

namespace platform {

bool isValidUtf8(const std::string& bytes);
// Converts between UTF-8 and an 8-bit code page ("1250", "1252", ...); unmappable characters
// become '?'.
std::string codePageToUtf8(const std::string& bytes, int codePage);
std::string utf8ToCodePage(const std::string& text, int codePage);

} // namespace platform
