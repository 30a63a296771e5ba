#include "journal/JournalLine.h"

namespace journal {
namespace {

std::string escaped(const std::string& field) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kDigits[byte >> 4];
            out += kDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A '%' without two digits after it stays as it is.
std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size()) {
            const int high = hexValue(field[i + 1]);
            const int low = hexValue(field[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

} // namespace

const std::string& Line::field(std::size_t index) const {
    static const std::string none;
    return index < fields.size() ? fields[index] : none;
}

std::string formatLine(const Line& line) {
    std::string out = escaped(line.kind);
    for (const std::string& field : line.fields)
        out += "\t" + escaped(field);
    return out + "\n";
}

std::optional<Line> parseLine(const std::string& text) {
    std::string body = text;
    while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
        body.pop_back();
    if (body.empty() || body.front() == '#')
        return std::nullopt;
    Line line;
    std::size_t start = 0;
    bool first = true;
    while (true) {
        const std::size_t tab = body.find('\t', start);
        const std::string part =
            unescaped(body.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (first)
            line.kind = part;
        else
            line.fields.push_back(part);
        first = false;
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return line;
}

} // namespace journal
