#pragma once
// The medium being checked: its script, read through the installer's SetupScript, with the line
// of every section and key from the profile reader's own index, and its files.
#include "MediumCheck.h"
#include "platform/ProfileFile.h"
#include "script/SetupScript.h"

#include <map>
#include <string>
#include <vector>

class MediumScript {
public:
    // Makes the medium the current folder and the setup program's folder, as for an installation.
    explicit MediumScript(const std::string& mediumFolder);

    bool scriptFound() const { return found; }
    const SetupScript& script() const { return setupScript; }

    bool hasSection(const std::string& section) const;
    bool hasKey(const std::string& section, const std::string& key) const;
    // The key's line, else its section's line, else 0.
    int lineOf(const std::string& section, const std::string& key = {}) const;
    // The keys of a section in file order (empty for a missing section).
    std::vector<std::string> keysOf(const std::string& section) const;

    // A relative path of the medium: whether it exists (found as the installer finds it, with
    // letter case ignored where needed) and whether it exists exactly as written.
    struct Presence {
        bool exists = false;
        bool exactCase = false;
    };
    Presence file(const std::string& relative) const;
    Presence folder(const std::string& relative) const;
    std::string nativePath(const std::string& relative) const;

    void add(Severity severity, int line, std::string message) {
        findings.push_back({severity, line, std::move(message)});
    }
    std::vector<Finding> findings;
    // What each install type leaves in the target folder, once worked out (see anyTypeCopies).
    std::map<std::string, std::vector<std::string>> installedByType;

private:
    const platform::ProfileSectionLines* section(const std::string& name) const;

    std::string nativeFolder;
    bool found = false;
    SetupScript setupScript;
    std::vector<platform::ProfileSectionLines> outline;
};

// The checks, in the order of their reports.
void checkLanguages(MediumScript& medium, std::vector<std::string>& languageSections);
void checkInstallTypes(MediumScript& medium, std::vector<std::string>& usableTypes);
void checkLanguageSection(MediumScript& medium, const std::string& section,
                          const std::vector<std::string>& usableTypes);
void checkCopyLists(MediumScript& medium, const std::vector<std::string>& usableTypes);
void checkProgramFiles(MediumScript& medium, const std::vector<std::string>& usableTypes,
                       const std::vector<std::string>& languageSections);
void checkSizeTexts(MediumScript& medium, const std::vector<std::string>& languageSections,
                    const std::vector<InstallTypeSize>& sizes);

// Whether an install type copies the target-relative file (letter case ignored, as on the
// systems the product installs on).
bool anyTypeCopies(MediumScript& medium, const std::vector<std::string>& usableTypes,
                   const std::string& relative);

// Why Windows, which the medium is for, refuses a relative path ("CON.txt is a name Windows keeps
// for a device (...)"), or empty.
std::string windowsRefusal(const std::string& relative);
// Why the installer cannot copy or read a file of the medium that exists ("is not a regular
// file ..."), or empty.
std::string copyProblem(const std::string& relative);

// "a, b and c" style lists for messages.
std::string joined(const std::vector<std::string>& items);
