#include "script/DrivePath.h"

#include <cctype>
#include <vector>

bool isFullDrivePath(const std::string& text) {
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           text[1] == ':' && text[2] == '\\';
}

std::string tidyDrivePath(const std::string& text) {
    if (!isFullDrivePath(text))
        return text;
    std::vector<std::string> components;
    std::size_t at = 3;
    while (at <= text.size()) {
        std::size_t end = text.find('\\', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string component = text.substr(at, end - at);
        if (component == "..") {
            if (!components.empty())
                components.pop_back();
        } else if (!component.empty() && component != ".") {
            components.push_back(component);
        }
        at = end + 1;
    }
    std::string tidy = text.substr(0, 3);
    for (std::size_t index = 0; index < components.size(); ++index)
        tidy += (index ? "\\" : "") + components[index];
    return tidy;
}
