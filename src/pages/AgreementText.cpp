#include "pages/AgreementText.h"

#include "platform/BoundedRead.h"
#include "platform/Locale.h"
#include "platform/TextEncoding.h"
#include "words/ProgramWords.h"

// Far above any licence; a name such as /dev/zero or a huge file must not exhaust the memory.
constexpr std::size_t kAgreementSizeLimit = 4u << 20;

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
    std::string bytes;
    switch (platform::readRegularFile(fileName, kAgreementSizeLimit, bytes)) {
    case platform::FileReadResult::Read:
        return decodeAgreementBytes(bytes);
    // The person would otherwise see an empty agreement and could take it for the whole one.
    case platform::FileReadResult::Missing:
        return words::translateWith("The licence agreement %1 is not on the medium.", {fileName});
    case platform::FileReadResult::TooLarge:
    case platform::FileReadResult::Unreadable:
        break;
    }
    return words::translateWith("The licence agreement %1 cannot be read from the medium.",
                                {fileName});
}
