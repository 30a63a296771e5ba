#pragma once
// Tells the codec of an Ogg file from the identification header in its first page.
#include <cstdint>
#include <optional>
#include <string>

// The archive codec (0 Vorbis, 1 Speex) of an Ogg file's bytes; otherwise nothing, with why
// telling what the file is instead.
std::optional<std::uint32_t> detectOggCodec(const std::string& bytes, std::string& why);
