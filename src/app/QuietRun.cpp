#include "app/QuietRun.h"

#include "app/CommandLineAnswers.h"
#include "app/MediumStart.h"
#include "app/SystemWaitWindow.h"
#include "app/UnattendedInstallation.h"
#include "copy/CopyProgress.h"
#include "platform/EndSignals.h"
#include "platform/ErrorMode.h"
#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/SystemActivity.h"
#include "script/SetupScript.h"
#include "paths/DrivePath.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "session/SessionSetup.h"
#include "session/SetupSession.h"

int runQuietInstallation(const std::string& programName, const CommandLine& options,
                         const std::vector<std::string>& arguments) {
    platform::suppressSystemErrorBoxes();
    // The steps of the windowed start, in its order, with no window to show.
    if (const auto status = openRunLog(options, arguments))
        return *status;
    showSystemActivity(false);
    if (const auto status = startOnTheMedium(options, programName))
        return *status;
    (void)platform::changeFolder(folderOfPath(platform::ownProgramPath()));
    if (const auto status = refuseUnusableMachine(options))
        return *status;
    SetupSession session;
    const SetupScript script(scriptPathBeside(platform::ownProgramPath()));
    session.scriptPath = script.path();
    CommandLineAnswers answers(options);
    CopyWithoutWindow progress(&platform::endRequested());
    const int status = installUnattended(session, script, options, answers, progress);
    platform::finishSystemWork();
    runlog::close();
    return status;
}
