#include "session/SessionSetup.h"

#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/ProfileFile.h"
#include "paths/DrivePath.h"
#include "script/SetupScript.h"
#include "platform/AsciiCase.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

std::string scriptPathBeside(const std::string& programPath) {
    return folderOfPath(programPath) + "\\install.ini";
}

std::optional<std::string>
chooseLanguageSection(const SetupScript& script, const std::string& systemLanguageId,
                      const std::function<std::optional<std::string>()>& runLanguagePage) {
    std::string mapped = script.readText("Language", systemLanguageId);
    if (!mapped.empty())
        return mapped;
    return runLanguagePage();
}

std::vector<std::string> listedLanguages(const SetupScript& script) {
    // The language page's own limit: no list is longer, and a broken count stops here.
    constexpr int kMostLanguages = 1000;
    const int count = std::min(script.readCount("Language", "Nr"), kMostLanguages);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        if (std::string listed = script.readText("Language", std::to_string(i)); !listed.empty())
            names.push_back(std::move(listed));
    return names;
}

std::optional<std::string> listedLanguage(const SetupScript& script, const std::string& name) {
    for (const std::string& listed : listedLanguages(script))
        if (platform::equalsIgnoringCase(listed, name))
            return listed;
    return std::nullopt;
}

std::string sectionLanguageId(const SetupScript& script, const std::string& section,
                              const std::string& systemLanguageId) {
    const auto names = [&](const std::string& mapped) {
        return !mapped.empty() && platform::equalsIgnoringCase(mapped, section);
    };
    if (names(script.readText("Language", systemLanguageId)))
        return systemLanguageId;
    for (const platform::ProfileSectionLines& listed : script.sections()) {
        if (!platform::equalsIgnoringCase(listed.name, "Language"))
            continue;
        for (const platform::ProfileKeyLine& key : listed.keys)
            if (key.name.size() == 4 &&
                std::all_of(key.name.begin(), key.name.end(),
                            [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }) &&
                names(script.readText("Language", key.name)))
                return key.name;
        break; // the reader sees only the first section of a name
    }
    return {};
}

void fillSetupSession(SetupSession& session, const SetupScript& script) {
    const std::string suffix =
        script.readText("Option", "PROGRAM_NAME") + "_" + session.languageSection;
    session.registryKey += suffix;
    session.uninstallKey += suffix;
    // The table has ten rows: a longer list in the script is read as far as it fits.
    const int listed = std::clamp(script.languageCount("Shortcuts"), 0, kShortcutRows);
    session.shortcutCount = 0;
    for (int i = 0; i < listed; ++i) {
        ShortcutEntry row;
        row.linkName = script.languageText(SetupScript::indexedKey("Description%d", i));
        row.targetName = script.languageText(SetupScript::indexedKey("File%d", i));
        row.workFolder = script.languageText(SetupScript::indexedKey("Work%d", i));
        // A row with neither a name nor a target is past the rows the script has (a count
        // larger than its list): the table ends there, as the copy list ends at its first
        // missing key, rather than failing the registration on a shortcut of no name.
        if (row.linkName.empty() && row.targetName.empty()) {
            runlog::write("shortcuts", "the script counts " + std::to_string(listed) +
                                           " but has " + std::to_string(i) + " rows");
            break;
        }
        session.shortcuts[static_cast<std::size_t>(i)] = row;
        ++session.shortcutCount;
    }
    session.companyName = script.languageText(textkeys::kCompanyName);
    session.programName = script.languageText(textkeys::kProgramName);
    session.targetFolder = script.languageText(textkeys::kDefaultFolder);
}

std::string findSourceDrive() {
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (platform::driveType(root) != platform::DriveType::CdRom)
            continue;
        if (std::FILE* script = platform::openFile(root + "install.ini", "rb")) {
            std::fclose(script);
            return std::string(1, letter);
        }
    }
    return "X";
}
