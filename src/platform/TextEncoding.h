#pragma once
#include <string>

namespace platform {

bool isValidUtf8(const std::string& bytes);
// The first characters of a UTF-8 text, whole characters only.
std::string utf8Prefix(const std::string& text, std::size_t count);
// The length in bytes of the character at `at` when it is a control character (C0, DEL, C1) or a
// mark that changes the direction of text (U+061C, U+200E, U+200F, U+202A to U+202E, U+2066 to
// U+2069): characters that make a name show otherwise than it is; 0 for any other.
std::size_t unsafeCharacterAt(const std::string& text, std::size_t at);
// Whether the text holds such a character.
bool holdsUnsafeCharacter(const std::string& text);
// The text with each such character written as "<U+202E>", for a message or a log line.
std::string withUnsafeCharactersShown(const std::string& text);
// Converts between UTF-8 and an 8-bit code page ("1250", "1252", ...); unmappable characters
// become '?'.
std::string codePageToUtf8(const std::string& bytes, int codePage);
std::string utf8ToCodePage(const std::string& text, int codePage);

} // namespace platform
