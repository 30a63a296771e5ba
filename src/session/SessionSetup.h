#pragma once
// The main window's start-up steps that need no window: testable on their own.
#include "session/SetupSession.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class SetupScript;

// The script beside the program: its folder followed by "\install.ini".
std::string scriptPathBeside(const std::string& programPath);

// The language section: the system language's entry in "Language" when it is not empty,
// otherwise what the language page returns; nothing when the page was cancelled.
std::optional<std::string>
chooseLanguageSection(const SetupScript& script, const std::string& systemLanguageId,
                      const std::function<std::optional<std::string>()>& runLanguagePage);

// The entry of the script's language list ("Language": "Nr", "0", "1", ...) that names the
// given section, letter case aside, as the list writes it; nothing when none does.
std::optional<std::string> listedLanguage(const SetupScript& script, const std::string& name);
// The non-empty names of the language list, in its order.
std::vector<std::string> listedLanguages(const SetupScript& script);

// The language id ("0415") of a language section: the system's when the script maps it to the
// section, else the first id the "Language" section maps to it; empty when none does. The
// program's own words follow it.
std::string sectionLanguageId(const SetupScript& script, const std::string& section,
                              const std::string& systemLanguageId);

// Fills names, keys, shortcut table and default folder from the script's language section.
void fillSetupSession(SetupSession& session, const SetupScript& script);

// The lower-case letter of the first CD-ROM drive whose root holds "install.ini", or "X".
std::string findSourceDrive();
