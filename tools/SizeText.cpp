#include "SizeText.h"

#include <cctype>

namespace {

constexpr double kMostAgreeingFactor = 1.5;

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool isLetter(char c) {
    // Bytes of UTF-8 sequences count as letters: a word of Polish goes on through them.
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || (c & 0x80) != 0;
}

// The bytes of the blank between a number and its unit at text[at]: a space or a tab, or a
// no-break space in UTF-8 (U+00A0, U+202F).
std::size_t blankLength(const std::string& text, std::size_t at) {
    if (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        return 1;
    if (text.compare(at, 2, "\xC2\xA0") == 0)
        return 2;
    if (text.compare(at, 3, "\xE2\x80\xAF") == 0)
        return 3;
    return 0;
}

// The unit's factor at text[at] and its length, or 0 when none starts there.
double unitAt(const std::string& text, std::size_t at, std::size_t& length) {
    if (at + 1 >= text.size())
        return 0;
    double factor = 0;
    switch (std::tolower(static_cast<unsigned char>(text[at]))) {
    case 'k':
        factor = 1024.0;
        break;
    case 'm':
        factor = 1024.0 * 1024.0;
        break;
    case 'g':
        factor = 1024.0 * 1024.0 * 1024.0;
        break;
    default:
        return 0;
    }
    length = 1;
    if (std::tolower(static_cast<unsigned char>(text[at + length])) == 'i')
        ++length;
    if (at + length >= text.size() ||
        std::tolower(static_cast<unsigned char>(text[at + length])) != 'b')
        return 0;
    ++length;
    // "MBit" or "KBps" are no sizes.
    return at + length < text.size() && isLetter(text[at + length]) ? 0 : factor;
}

} // namespace

std::optional<StatedSize> statedSize(const std::string& text) {
    for (std::size_t start = 0; start < text.size(); ++start) {
        if (!isDigit(text[start]) ||
            (start > 0 && (isDigit(text[start - 1]) || isLetter(text[start - 1]))))
            continue;
        // Read by hand: the C library's reading of decimals follows the locale.
        double number = 0;
        std::size_t end = start;
        for (; end < text.size() && isDigit(text[end]); ++end)
            number = number * 10 + (text[end] - '0');
        if (end + 1 < text.size() && (text[end] == '.' || text[end] == ',') &&
            isDigit(text[end + 1]))
            for (double place = 0.1; ++end < text.size() && isDigit(text[end]); place /= 10)
                number += (text[end] - '0') * place;
        std::size_t unit = end;
        for (std::size_t blank; (blank = blankLength(text, unit)) != 0;)
            unit += blank;
        std::size_t unitLength = 0;
        const double factor = unitAt(text, unit, unitLength);
        if (factor == 0) {
            start = end;
            continue;
        }
        return StatedSize{text.substr(start, unit + unitLength - start), number * factor};
    }
    return std::nullopt;
}

bool statedSizeAgrees(double statedBytes, std::uint64_t writtenBytes) {
    const auto written = static_cast<double>(writtenBytes);
    return statedBytes <= written * kMostAgreeingFactor &&
           written <= statedBytes * kMostAgreeingFactor;
}
