#include "paths/PathText.h"

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string folderPrefix(const std::string& path) {
    const auto cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool isEntryInsideTarget(const std::string& entry) {
    if (!entry.empty() && (entry.front() == '\\' || entry.front() == '/'))
        return false;
    if (entry.find(':') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= entry.size()) {
        auto end = entry.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = entry.size();
        if (entry.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}
