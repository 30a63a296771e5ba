#include "pages/AgreementText.h"

#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/TextEncoding.h"

#include <cstdio>

static std::string readWholeFile(std::FILE* file) {
    std::string bytes;
    char buffer[8192];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

std::string decodeAgreementBytes(const std::string& bytes) {
    // A zero byte ends the text, as it ends a string.
    std::string text = bytes.substr(0, bytes.find('\0'));
    if (platform::isValidUtf8(text)) {
        // Editors mark UTF-8 files with a byte order mark, which is no part of the text.
        if (text.rfind("\xEF\xBB\xBF", 0) == 0)
            text.erase(0, 3);
        return text;
    }
    return platform::codePageToUtf8(text, platform::ansiCodePage());
}

std::string loadAgreementText(const std::string& fileName) {
    if (fileName.empty())
        return {};
    std::FILE* file = platform::openFile(fileName, "rb");
    if (!file)
        return {};
    const std::string bytes = readWholeFile(file);
    std::fclose(file);
    return decodeAgreementBytes(bytes);
}
