#include "platform/posix/machine/NameCase.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace platform::posix {

std::string windowsNameKey(const std::string& name) {
    std::string key;
    key.reserve(name.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
    const int32_t length = static_cast<int32_t>(name.size());
    for (int32_t at = 0; at < length;) {
        const int32_t start = at;
        UChar32 code = 0;
        U8_NEXT(bytes, at, length, code);
        if (code < 0) { // not UTF-8: the bytes stand for themselves
            key.append(name, static_cast<std::size_t>(start), static_cast<std::size_t>(at - start));
            continue;
        }
        const UChar32 upper = code < 0x80 ? (code >= 'a' && code <= 'z' ? code - 32 : code)
                                          : u_toupper(code);
        uint8_t encoded[U8_MAX_LENGTH];
        int32_t written = 0;
        U8_APPEND_UNSAFE(encoded, written, upper);
        key.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(written));
    }
    return key;
}

bool sameWindowsName(const std::string& a, const std::string& b) {
    return windowsNameKey(a) == windowsNameKey(b);
}

} // namespace platform::posix
