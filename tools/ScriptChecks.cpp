// Checks of the script's own structure: the languages, the install types' lists, the counts and
// the texts of every language section.
#include "MediumScript.h"

#include "platform/AsciiCase.h"
#include "script/TextKeys.h"
#include "session/SetupSession.h"

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
        medium.add(Severity::Error, medium.lineOf(section, countKey),
                   "[" + section + "] " + countKey + "=" +
                       medium.script().readText(section, countKey) +
                       " is larger than the keys present: missing or empty " + joined(missing));
}

// A text the installer makes a file or folder name of, outside the medium: the program group's
// folders and the shortcuts in them.
void checkNameText(MediumScript& medium, const std::string& section, const std::string& key) {
    const std::string text = medium.script().readText(section, key);
    if (const std::string refused = windowsRefusal(text); !refused.empty())
        medium.add(Severity::Error, medium.lineOf(section, key),
                   "[" + section + "] " + key + "=" + text + ": " + refused);
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
        medium.add(Severity::Error, 0, "the script has no [Language] section");
        return;
    }
    const int offered = script.readCount("Language", "Nr");
    if (offered <= 0)
        medium.add(Severity::Error, medium.lineOf("Language", "Nr"),
                   "[Language] Nr offers no language on the language page");
    checkCount(medium, "Language", "Nr", std::min(offered, 1000), {"%d"});
    for (int i = 0; i < std::min(offered, 1000); ++i) {
        const std::string key = std::to_string(i);
        const std::string name = script.readText("Language", key);
        if (name.empty())
            continue;
        if (!medium.hasSection(name))
            medium.add(Severity::Error, medium.lineOf("Language", key),
                       "[Language] " + key + "=" + name + " names a section that does not exist");
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
                       "[Language] " + key + "=" + name + " maps the system language " + key +
                           " to a section that does not exist");
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
                       std::string("install type ") + type + " has no [" + type + "] list");
            continue;
        }
        if (files <= 0) {
            medium.add(Severity::Error, medium.lineOf(type, "files"),
                       std::string("[") + type + "] files=" + script.readText(type, "files") +
                           " lists nothing to install");
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
                   "[" + section +
                       "] lacks texts of buttons (they would be blank): " + joined(missingButtons));
    if (!missing.empty())
        medium.add(Severity::Warning, medium.lineOf(section),
                   "[" + section +
                       "] lacks texts the program shows (they would be empty): " + joined(missing));

    const int shortcuts = script.readCount(section, "Shortcuts");
    if (shortcuts > kShortcutRows)
        medium.add(Severity::Error, medium.lineOf(section, "Shortcuts"),
                   "[" + section + "] Shortcuts=" + std::to_string(shortcuts) +
                       " is more than the " + std::to_string(kShortcutRows) +
                       " shortcuts the installer makes");
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
                       "[" + section + "] " + key + "=" + target +
                           ": no install type copies the shortcut's target");
    }
    if (!script.readText(section, "OTHERFILES").empty())
        checkCount(medium, section, "OTHERFILES",
                   std::min(script.readCount(section, "OTHERFILES"), 1000), {"Message%d", "Exe%d"});
}
