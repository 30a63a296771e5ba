#include "platform/TextEncoding.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

std::string convert(const std::string& bytes, const std::string& from, const std::string& to) {
    iconv_t converter = iconv_open(to.c_str(), from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return bytes;
    std::string result;
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.append(buffer, static_cast<size_t>(out - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            // A byte or character without a counterpart: mark it and go on after it.
            result += '?';
            const bool fromUtf8 = from == "UTF-8";
            size_t skip = 1;
            if (fromUtf8)
                while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                    ++skip;
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(converter);
    return result;
}

std::string codePageName(int codePage) {
    return "CP" + std::to_string(codePage);
}

} // namespace

std::string codePageToUtf8(const std::string& bytes, int codePage) {
    return convert(bytes, codePageName(codePage), "UTF-8");
}

std::string utf8ToCodePage(const std::string& text, int codePage) {
    return convert(text, "UTF-8", codePageName(codePage));
}

} // namespace platform
