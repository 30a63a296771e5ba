#include "platform/profile/ProfileText.h"

#include "platform/TextEncoding.h"

#include <cstdint>

namespace platform::profile {
namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kUtf16LeMark = "\xFF\xFE";
const std::string kUtf16BeMark = "\xFE\xFF";

void appendUtf8(std::string& text, std::uint32_t code) {
    if (code < 0x80) {
        text += static_cast<char>(code);
    } else if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        text += static_cast<char>(0xE0 | code >> 12);
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | code >> 18);
        text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void appendUtf16(std::string& bytes, std::uint32_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD and an odd last byte is left out, and
// either makes `reversible` false.
std::string utf16ToUtf8(const std::string& bytes, std::size_t from, bool bigEndian,
                        bool& reversible) {
    const auto unitAt = [&](std::size_t at) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(bytes[at]);
        const auto second = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string text;
    text.reserve(bytes.size() - from);
    reversible = (bytes.size() - from) % 2 == 0;
    for (std::size_t at = from; at + 1 < bytes.size(); at += 2) {
        std::uint32_t code = unitAt(at);
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size() && unitAt(at + 2) >= 0xDC00 &&
            unitAt(at + 2) < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unitAt(at + 2) - 0xDC00);
            at += 2;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
            reversible = false;
        }
        appendUtf8(text, code);
    }
    return text;
}

// UTF-8 to UTF-16; a byte that starts no valid sequence becomes '?'.
std::string utf8ToUtf16(const std::string& text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string sequence = text.substr(at, length);
        if (length > 1 && (sequence.size() < length || !isValidUtf8(sequence))) {
            appendUtf16(bytes, '?', bigEndian);
            ++at;
            continue;
        }
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            code = code << 6 | (static_cast<unsigned char>(sequence[k]) & 0x3F);
        if (code >= 0x10000) {
            appendUtf16(bytes, 0xD800 + ((code - 0x10000) >> 10), bigEndian);
            appendUtf16(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF), bigEndian);
        } else {
            appendUtf16(bytes, code, bigEndian);
        }
        at += length;
    }
    return bytes;
}

bool isUtf16(ProfileEncoding encoding) {
    return encoding == ProfileEncoding::Utf16Le || encoding == ProfileEncoding::Utf16Be;
}

} // namespace

std::string ProfileText::decode(const std::string& bytes) const {
    return encoding == ProfileEncoding::CodePage ? codePageToUtf8(bytes, codePage) : bytes;
}

std::string ProfileText::encode(const std::string& text) const {
    return encoding == ProfileEncoding::CodePage ? utf8ToCodePage(text, codePage) : text;
}

std::string ProfileText::fileBytes(const std::string& editedRaw) const {
    if (!isUtf16(encoding))
        return editedRaw;
    const bool bigEndian = encoding == ProfileEncoding::Utf16Be;
    return (bigEndian ? kUtf16BeMark : kUtf16LeMark) + utf8ToUtf16(editedRaw, bigEndian);
}

ProfileEncoding profileEncodingOf(const std::string& fileBytes) {
    if (fileBytes.starts_with(kUtf16LeMark))
        return ProfileEncoding::Utf16Le;
    if (fileBytes.starts_with(kUtf16BeMark))
        return ProfileEncoding::Utf16Be;
    // All of the file decides, not a first part of it: one ANSI letter far down makes the whole
    // file ANSI text.
    return fileBytes.starts_with(kUtf8Mark) || isValidUtf8(fileBytes) ? ProfileEncoding::Utf8
                                                                      : ProfileEncoding::CodePage;
}

ProfileText profileTextOf(std::string fileBytes, int codePage) {
    ProfileText text;
    text.encoding = profileEncodingOf(fileBytes);
    if (isUtf16(text.encoding)) {
        text.raw = utf16ToUtf8(fileBytes, kUtf16LeMark.size(),
                               text.encoding == ProfileEncoding::Utf16Be, text.reversible);
        return text;
    }
    text.bodyStart = fileBytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    if (text.encoding == ProfileEncoding::CodePage)
        text.codePage = codePage;
    text.raw = std::move(fileBytes);
    return text;
}

} // namespace platform::profile
