#include "script/TextCase.h"

std::string toLowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && toLowerCase(a) == toLowerCase(b);
}
