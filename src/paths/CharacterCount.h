#pragma once
// Lengths of the installer's UTF-8 texts as the user sees them: in characters, not bytes.
#include <cstddef>
#include <string>

std::size_t characterCount(const std::string& text);
