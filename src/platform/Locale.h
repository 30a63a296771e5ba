#pragma once
#include <string>

namespace platform {

// The system language's id as four hexadecimal digits ("0415" for Polish, "0409" for US English).
std::string systemLanguageId();

// The 8-bit code page that texts of the system language use (1250 for Polish, 1252 for English).
int ansiCodePage();

} // namespace platform
