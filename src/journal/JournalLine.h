#pragma once
// One line of an installation journal: a kind and its fields, separated by tabs, so that a
// person reads it and a path with blanks stays one field. A tab, a line break or another control
// character inside a field, and the percent sign itself, are written as %XX.
#include <optional>
#include <string>
#include <vector>

namespace journal {

struct Line {
    std::string kind;
    std::vector<std::string> fields;

    // The field at the index, empty when the line is shorter.
    const std::string& field(std::size_t index) const;
};

// The line's text with its line break.
std::string formatLine(const Line& line);
// Nothing for a blank line or a comment ("# ...").
std::optional<Line> parseLine(const std::string& text);

} // namespace journal
