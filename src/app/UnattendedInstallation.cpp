#include "app/UnattendedInstallation.h"

#include "app/InstallSequence.h"
#include "platform/BoundedRead.h"
#include "platform/Locale.h"
#include "script/SetupScript.h"
#include "session/CommandLine.h"
#include "session/ExitStatus.h"
#include "session/RunLog.h"
#include "session/SessionSetup.h"
#include "words/ProgramWords.h"

void fillSessionForRun(SetupSession& session, const SetupScript& script) {
    fillSetupSession(session, script);
    words::useLanguage(
        sectionLanguageId(script, session.languageSection, platform::systemLanguageId()));
    session.sourceDrive = findSourceDrive();
}

int installUnattended(SetupSession& setupSession, const SetupScript& anyLanguage,
                      const CommandLine& options, InstallAnswers& answers,
                      CopyProgress& progress) {
    // A script that cannot be read would otherwise be reported as one without languages. It is
    // read once more, only then, to tell why.
    if (anyLanguage.sections().empty()) {
        constexpr std::size_t kScriptLimit = 64u << 20;
        std::string bytes;
        const std::string unread = platform::describeUnreadFile(
            platform::readRegularFile(anyLanguage.path(), kScriptLimit, bytes), kScriptLimit);
        runlog::failure("the script could not be read: " + anyLanguage.path() + " is " +
                        (unread.empty() ? std::string("no setup script (it has no sections)")
                                        : unread));
        return exitstatus::kFailed;
    }
    // A language the script does not list is a bad command line; each refusal names the list.
    std::string listed;
    for (const std::string& name : listedLanguages(anyLanguage))
        listed += (listed.empty() ? "" : ", ") + name;
    listed = listed.empty() ? "it lists none" : "it lists " + listed;
    std::optional<std::string> language;
    if (!options.language.empty()) {
        language = listedLanguage(anyLanguage, options.language);
        if (!language) {
            runlog::failure("the script lists no language \"" + options.language + "\"; " + listed);
            return exitstatus::kBadCommandLine;
        }
    } else {
        const std::string system = platform::systemLanguageId();
        language = chooseLanguageSection(anyLanguage, system, [] { return std::nullopt; });
        if (!language) {
            runlog::failure("the script maps no language to the system's (" + system +
                            "): give --language (" + listed + ")");
            return exitstatus::kFailed;
        }
    }
    setupSession.languageSection = *language;
    const SetupScript script = anyLanguage.withLanguage(*language);
    fillSessionForRun(setupSession, script);
    if (options.folder.empty() && setupSession.targetFolder.empty()) {
        runlog::failure("the script names no target folder: give --dir");
        return exitstatus::kFailed;
    }
    return InstallSequence(setupSession, script, answers, progress).run() ? exitstatus::kInstalled
                                                                          : exitstatus::kFailed;
}

