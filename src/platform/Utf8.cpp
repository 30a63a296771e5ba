// UTF-8 and letter-case rules that hold on every system.
#include "platform/AsciiCase.h"
#include "platform/TextEncoding.h"

#include <cstdio>

namespace platform {

bool isValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = lead < 0x80           ? 1
                             : (lead >> 5) == 0x6  ? 2
                             : (lead >> 4) == 0xE  ? 3
                             : (lead >> 3) == 0x1E ? 4
                                                   : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string utf8Prefix(const std::string& text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < count; ++characters) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return text.substr(0, at);
}

std::size_t unsafeCharacterAt(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned lead = byte(at);
    if (at >= text.size())
        return 0;
    if (lead < 0x20 || lead == 0x7F)
        return 1;
    // C1 controls: U+0080 to U+009F, written C2 80 to C2 9F.
    if (lead == 0xC2 && byte(at + 1) >= 0x80 && byte(at + 1) <= 0x9F)
        return 2;
    // U+061C, the Arabic letter mark: D8 9C.
    if (lead == 0xD8 && byte(at + 1) == 0x9C)
        return 2;
    if (lead == 0xE2 && byte(at + 1) == 0x80) {
        const unsigned last = byte(at + 2);
        if (last == 0x8E || last == 0x8F || (last >= 0xAA && last <= 0xAE))
            return 3; // U+200E, U+200F, U+202A to U+202E
    }
    if (lead == 0xE2 && byte(at + 1) == 0x81 && byte(at + 2) >= 0xA6 && byte(at + 2) <= 0xA9)
        return 3; // U+2066 to U+2069
    return 0;
}

bool holdsUnsafeCharacter(const std::string& text) {
    for (std::size_t at = 0; at < text.size(); ++at)
        if (unsafeCharacterAt(text, at) != 0)
            return true;
    return false;
}

std::string withUnsafeCharactersShown(const std::string& text) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = unsafeCharacterAt(text, at);
        if (length == 0) {
            shown += text[at++];
            continue;
        }
        // The code point of a one-, two- or three-byte character.
        unsigned code = static_cast<unsigned char>(text[at]);
        if (length == 2)
            code = ((code & 0x1F) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3F);
        else if (length == 3)
            code = ((code & 0x0F) << 12) | ((static_cast<unsigned char>(text[at + 1]) & 0x3F) << 6) |
                   (static_cast<unsigned char>(text[at + 2]) & 0x3F);
        char mark[12];
        std::snprintf(mark, sizeof mark, "<U+%04X>", code);
        shown += mark;
        at += length;
    }
    return shown;
}

std::string asciiLower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

} // namespace platform
