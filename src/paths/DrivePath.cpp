#include "paths/DrivePath.h"

#include "platform/Paths.h"
#include "platform/TextEncoding.h"
#include "words/ProgramWords.h"

#include <cctype>
#include <string_view>
#include <vector>

bool isFullDrivePath(const std::string& text) {
    return text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) &&
           text[1] == ':' && text[2] == '\\';
}

bool isDriveRoot(const std::string& tidyPath) {
    return isFullDrivePath(tidyPath) && tidyPath.size() == 3;
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
        std::string component = text.substr(at, end - at);
        // Windows drops a name's trailing dots and blanks when it makes a folder ("X. " makes
        // "X") but not when it later looks a path up through it: the name is tidied here as
        // the folder will be named.
        if (component != "." && component != "..")
            component.erase(component.find_last_not_of(". ") + 1);
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

bool isReservedDeviceName(const std::string& name) {
    // The part before the first dot, without trailing blanks, decides: "NUL.txt" is NUL too.
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (char& c : stem)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL")
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// The first component of a path (after its drive, if any) that the test picks, or empty.
template <typename Test>
static std::string firstComponentWhere(const std::string& path, Test picks) {
    std::size_t at = isFullDrivePath(path) ? 3 : 0;
    while (at <= path.size()) {
        std::size_t end = path.find_first_of("\\/", at);
        if (end == std::string::npos)
            end = path.size();
        std::string component = path.substr(at, end - at);
        if (picks(component))
            return component;
        at = end + 1;
    }
    return {};
}

std::string reservedDeviceComponent(const std::string& path) {
    return firstComponentWhere(path, isReservedDeviceName);
}

NameRefusal windowsNameRefusal(const std::string& name) {
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("*?\"<>|").find(c) != std::string_view::npos)
            return NameRefusal::ForbiddenCharacter;
    // Windows takes them, but a folder so named shows otherwise than it is named.
    if (platform::holdsUnsafeCharacter(name))
        return NameRefusal::UnsafeCharacter;
    return isReservedDeviceName(name) ? NameRefusal::DeviceName : NameRefusal::None;
}

const char* describeNameRefusal(NameRefusal refusal) {
    switch (refusal) {
    case NameRefusal::DeviceName:
        return words::marked(
            "is a name Windows keeps for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9)");
    case NameRefusal::ForbiddenCharacter:
        return words::marked(
            "holds a character Windows refuses in names (* ? \" < > | or a control character)");
    case NameRefusal::UnsafeCharacter:
        return words::marked("holds a control character or a mark that turns the direction of "
                             "text, which would show the name otherwise than it is");
    case NameRefusal::None:
        break;
    }
    return "";
}

RefusedComponent refusedComponent(const std::string& path) {
    RefusedComponent refused;
    refused.name = firstComponentWhere(path, [&](const std::string& component) {
        refused.why = windowsNameRefusal(component);
        return refused.why != NameRefusal::None;
    });
    return refused;
}

std::string folderOfPath(const std::string& path) {
    const auto cut = path.rfind('\\');
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

std::string ownProgramFolder() {
    return folderOfPath(platform::ownProgramPath());
}
