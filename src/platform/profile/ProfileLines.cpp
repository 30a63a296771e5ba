#include "platform/profile/ProfileLines.h"

#include <algorithm>
#include <string_view>

namespace platform::profile {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

ProfileLine classify(std::string_view text) {
    ProfileLine line;
    const std::string_view trimmed = trim(text);
    if (!trimmed.empty() && trimmed[0] == '[') {
        const auto close = trimmed.find_last_of(']');
        // Without its ']' the line names no section, as in the system's reader.
        line.kind = close == std::string_view::npos ? ProfileLine::Other : ProfileLine::Section;
        line.name = trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos
                                                                           : close - 1));
        return line;
    }
    // Windows' reader takes a line that begins with ';' for a comment: it neither lists it nor
    // reads a key by its name. (Wine's lists none either, but reads ";k" as a key.)
    if (!trimmed.empty() && trimmed[0] == ';') {
        line.kind = ProfileLine::Comment;
        return line;
    }
    const auto equals = trimmed.find('=');
    line.kind = trimmed.empty() ? ProfileLine::Other : ProfileLine::Key;
    line.name = trim(trimmed.substr(0, equals));
    if (equals != std::string_view::npos)
        line.value = trim(trimmed.substr(equals + 1));
    return line;
}

// The decoded body of a code-page file, when its lines match the file's line for line (line
// breaks stay line breaks in every code page the system uses); empty otherwise.
std::string decodedLines(const ProfileText& text) {
    if (text.encoding != ProfileEncoding::CodePage)
        return {};
    const auto body = text.raw.begin() + static_cast<std::ptrdiff_t>(text.bodyStart);
    std::string decoded = text.decode(text.raw.substr(text.bodyStart));
    const bool matches =
        std::count(decoded.begin(), decoded.end(), '\n') == std::count(body, text.raw.end(), '\n');
    return matches ? decoded : std::string();
}

} // namespace

std::vector<ProfileLine> profileLines(const ProfileText& text) {
    // A code-page file is decoded whole: one conversion instead of one per line.
    const std::string decoded = decodedLines(text);
    const bool wholeDecoded = !decoded.empty();
    const std::string& raw = text.raw;
    std::vector<ProfileLine> lines;
    std::size_t start = text.bodyStart, decodedStart = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find('\n', start);
        const std::size_t next = end == std::string::npos ? raw.size() : end + 1;
        if (end == std::string::npos)
            end = raw.size();
        std::size_t contentEnd = end;
        if (contentEnd > start && raw[contentEnd - 1] == '\r')
            --contentEnd;
        ProfileLine line;
        if (wholeDecoded) {
            decodedStart = std::min(decodedStart, decoded.size());
            const std::size_t decodedEnd =
                std::min(decoded.find('\n', decodedStart), decoded.size());
            line =
                classify(std::string_view(decoded).substr(decodedStart, decodedEnd - decodedStart));
            decodedStart = decodedEnd + 1;
        } else if (text.encoding == ProfileEncoding::CodePage) {
            line = classify(text.decode(raw.substr(start, contentEnd - start)));
        } else {
            line = classify(std::string_view(raw).substr(start, contentEnd - start));
        }
        line.start = start;
        line.end = contentEnd;
        lines.push_back(std::move(line));
        start = next;
    }
    return lines;
}

} // namespace platform::profile
