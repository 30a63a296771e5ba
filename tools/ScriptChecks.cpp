// Checks of the script's own structure: the languages, the install types' lists, the counts and
// the texts of every language section.
#include "MediumScript.h"

#include "platform/AsciiCase.h"
#include "script/TextKeys.h"
#include "session/SetupSession.h"
#include "words/ProgramWords.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace {

constexpr const char* kInstallTypes[] = {"min", "std", "max"};

void addUnique(std::vector<std::string>& names, const std::string& name) {
    const bool known = std::any_of(names.begin(), names.end(), [&](const std::string& old) {
        return platform::equalsIgnoringCase(old, name);
    });
    if (!known)
        names.push_back(name);
}

// A key of "Language" that maps a system language: four hexadecimal digits ("0415").
bool isLanguageId(const std::string& key) {
    return key.size() == 4 && std::all_of(key.begin(), key.end(),
                                          [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// The keys a count promises that are missing or empty, e.g. {"2", "3"} for files=4.
std::vector<std::string> missingIndexedKeys(const MediumScript& medium, const std::string& section,
                                            int count, const std::vector<std::string>& patterns) {
    constexpr std::size_t kMostNamed = 20;
    std::vector<std::string> missing;
    for (int i = 0; i < count; ++i)
        for (const std::string& pattern : patterns) {
            const std::string key = SetupScript::indexedKey(pattern, i);
            if (!medium.script().readText(section, key).empty())
                continue;
            if (missing.size() == kMostNamed) {
                missing.push_back("more");
                return missing;
            }
            missing.push_back(key);
        }
    return missing;
}

void checkCount(MediumScript& medium, const std::string& section, const std::string& countKey,
                int count, const std::vector<std::string>& patterns) {
    const std::vector<std::string> missing = missingIndexedKeys(medium, section, count, patterns);
    if (!missing.empty())
        medium.add(
            Severity::Error, medium.lineOf(section, countKey),
            words::translateWith(
                "[%1] %2=%3 is larger than the keys present: missing or empty %4",
                {section, countKey, medium.script().readText(section, countKey), joined(missing)}));
}

// A text the installer makes a file or folder name of, outside the medium: the program group's
// folders and the shortcuts in them.
void checkNameText(MediumScript& medium, const std::string& section, const std::string& key) {
    const std::string text = medium.script().readText(section, key);
    if (const std::string refused = windowsRefusal(text); !refused.empty())
        medium.add(Severity::Error, medium.lineOf(section, key),
                   words::translateWith("[%1] %2=%3: %4", {section, key, text, refused}));
}

// Push buttons: without their texts the person cannot tell installing from leaving.
bool isButtonText(const char* key) {
    static constexpr const char* kButtons[] = {textkeys::kNext,    textkeys::kExit,
                                               textkeys::kBack,    textkeys::kAccept,
                                               textkeys::kDecline, textkeys::kAbort};
    return std::any_of(std::begin(kButtons), std::end(kButtons),
                       [&](const char* button) { return std::string(button) == key; });
}

bool shown(textkeys::Shown when, const SetupScript& script) {
    switch (when) {
    case textkeys::Shown::WithLicencePage:
        return script.readFlag("Option", "show_licence");
    case textkeys::Shown::WithInstallTypePage:
        return script.readFlag("Option", "show_install_mode");
    default:
        return true;
    }
}

} // namespace

void checkLanguages(MediumScript& medium, std::vector<std::string>& languageSections) {
    const SetupScript& script = medium.script();
    if (!medium.hasSection("Language")) {
        medium.add(Severity::Error, 0, words::translate("the script has no [Language] section"));
        return;
    }
    const int offered = script.readCount("Language", "Nr");
    if (offered <= 0)
        medium.add(Severity::Error, medium.lineOf("Language", "Nr"),
                   words::translate("[Language] Nr offers no language on the language page"));
    checkCount(medium, "Language", "Nr", std::min(offered, 1000), {"%d"});
    for (int i = 0; i < std::min(offered, 1000); ++i) {
        const std::string key = std::to_string(i);
        const std::string name = script.readText("Language", key);
        if (name.empty())
            continue;
        if (!medium.hasSection(name))
            medium.add(Severity::Error, medium.lineOf("Language", key),
                       words::translateWith("[Language] %1=%2 names a section that does not exist",
                                            {key, name}));
        else
            addUnique(languageSections, name);
    }
    for (const std::string& key : medium.keysOf("Language")) {
        const std::string name = script.readText("Language", key);
        const bool listed = key == std::to_string(parseCount(key)) && parseCount(key) < offered;
        if (!isLanguageId(key) || listed || name.empty())
            continue;
        if (!medium.hasSection(name))
            medium.add(Severity::Error, medium.lineOf("Language", key),
                       words::translateWith("[Language] %1=%2 maps the system language %1 to a "
                                            "section that does not exist",
                                            {key, name}));
        else
            addUnique(languageSections, name);
    }
}

void checkInstallTypes(MediumScript& medium, std::vector<std::string>& usableTypes) {
    const SetupScript& script = medium.script();
    // Without the install type page every installation is the standard one.
    const bool choosable = script.readFlag("Option", "show_install_mode");
    for (const char* type : kInstallTypes) {
        if (!choosable && std::string(type) != "std")
            continue;
        const int files = script.readCount(type, "files");
        if (!medium.hasSection(type)) {
            medium.add(Severity::Error, medium.lineOf("Option", "show_install_mode"),
                       words::translateWith("install type %1 has no [%1] list", {type}));
            continue;
        }
        if (files <= 0) {
            medium.add(Severity::Error, medium.lineOf(type, "files"),
                       words::translateWith("[%1] files=%2 lists nothing to install",
                                            {type, script.readText(type, "files")}));
            continue;
        }
        checkCount(medium, type, "files", std::min(files, 100000), {"%d"});
        usableTypes.push_back(type);
    }
}

void checkLanguageSection(MediumScript& medium, const std::string& section,
                          const std::vector<std::string>& usableTypes) {
    const SetupScript& script = medium.script();
    std::vector<std::string> missing, missingButtons;
    for (const textkeys::LanguageText& text : textkeys::kLanguageTexts)
        if (shown(text.shown, script) && script.readText(section, text.key).empty())
            (isButtonText(text.key) ? missingButtons : missing).push_back(text.key);
    if (!missingButtons.empty())
        medium.add(Severity::Error, medium.lineOf(section),
                   words::translateWith("[%1] lacks texts of buttons (they would be blank): %2",
                                        {section, joined(missingButtons)}));
    if (!missing.empty())
        medium.add(
            Severity::Warning, medium.lineOf(section),
            words::translateWith("[%1] lacks texts the program shows (they would be empty): %2",
                                 {section, joined(missing)}));

    const int shortcuts = script.readCount(section, "Shortcuts");
    if (shortcuts > kShortcutRows)
        medium.add(Severity::Error, medium.lineOf(section, "Shortcuts"),
                   words::translateWith(
                       "[%1] Shortcuts=%2 is more than the %3 shortcuts the "
                       "installer makes",
                       {section, std::to_string(shortcuts), std::to_string(kShortcutRows)}));
    const int rows = std::clamp(shortcuts, 0, kShortcutRows);
    checkCount(medium, section, "Shortcuts", rows, {"Description%d", "File%d"});
    checkNameText(medium, section, textkeys::kCompanyName);
    checkNameText(medium, section, textkeys::kProgramName);
    for (int i = 0; i < rows; ++i)
        checkNameText(medium, section, SetupScript::indexedKey("Description%d", i));
    for (int i = 0; i < rows; ++i) {
        const std::string key = SetupScript::indexedKey("File%d", i);
        const std::string target = script.readText(section, key);
        if (!target.empty() && !anyTypeCopies(medium, usableTypes, target))
            medium.add(Severity::Error, medium.lineOf(section, key),
                       words::translateWith("[%1] %2=%3: no install type copies the shortcut's "
                                            "target",
                                            {section, key, target}));
    }
    if (!script.readText(section, "OTHERFILES").empty())
        checkCount(medium, section, "OTHERFILES",
                   std::min(script.readCount(section, "OTHERFILES"), 1000), {"Message%d", "Exe%d"});
}
