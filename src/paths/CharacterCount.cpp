#include "paths/CharacterCount.h"

std::size_t characterCount(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) // not a continuation byte
            ++count;
    return count;
}
