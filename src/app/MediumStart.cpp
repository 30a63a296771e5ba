#include "app/MediumStart.h"

#include "app/MessageBox.h"
#include "audio/DecoderNotes.h"
#include "platform/Drives.h"
#include "platform/Locale.h"
#include "platform/Machine.h"
#include "platform/Medium.h"
#include "platform/Paths.h"
#include "paths/DrivePath.h"
#include "session/CommandLine.h"
#include "session/ExitStatus.h"
#include "session/RunLog.h"
#include "words/ProgramWords.h"

#include <cstdio>
#include <wx/app.h>
#include <wx/choicdlg.h>
#include <wx/msgdlg.h>

namespace {

using exitstatus::kFailed;

int fail(const CommandLine& options, const std::string& text) {
    if (options.silent) {
        runlog::failure(text);
    } else {
        runlog::write("failed", text);
        (void)showMessageBox(nullptr, text,
                             wxTheApp ? wxTheApp->GetAppDisplayName().utf8_string() : "setup",
                             wxOK | wxICON_ERROR);
    }
    return kFailed;
}

std::optional<int> start(const CommandLine& options, const std::string& medium) {
    std::string reason;
    if (!platform::startOnMedium(medium, reason))
        return fail(options, words::translateWith("The installation cannot start from %1.", {medium}) +
                                 "\n" + reason);
    // The drive the run sees the medium as, as the Parts' own folder and the DirectX program see it.
    const std::string root = folderOfPath(platform::ownProgramPath()) + "\\";
    platform::VolumeInformation volume;
    const bool labelled = platform::volumeInformation(root, volume) && !volume.label.empty();
    runlog::write("medium", medium + " as the drive " + root +
                                (platform::driveType(root) == platform::DriveType::CdRom
                                     ? " (CD-ROM"
                                     : " (not a CD-ROM") +
                                (labelled ? ", labelled " + volume.label + ")" : ", no label)"));
    return std::nullopt;
}

std::string discName(const platform::MountedDisc& disc) {
    return disc.label.empty() ? disc.folder
                              : words::translateWith("%1 (%2)", {disc.label, disc.folder});
}

} // namespace

std::optional<int> openRunLog(const CommandLine& options, const std::vector<std::string>& arguments) {
    // What the decoders say of each stream is the log's, and no person's: a run that goes well
    // prints nothing.
    audio::sendNotesTo([](const std::string& line) { runlog::write("decoder", line); });
    if (!options.logPath.empty() && !runlog::open(options.logPath)) {
        std::fprintf(stderr, "setup: cannot write the log %s\n", options.logPath.c_str());
        return kFailed;
    }
    std::string given;
    for (const std::string& argument : arguments)
        given += " " + argument;
    runlog::write("command line", given.empty() ? "(none)" : given.substr(1));
    return std::nullopt;
}

std::optional<int> startOnTheMedium(const CommandLine& options, const std::string& programName) {
    // The script's languages are not known yet: the program speaks the system's.
    words::useLanguage(platform::systemLanguageId());
    if (!options.medium.empty())
        return start(options, options.medium);
    if (!platform::canStartOnMedium() || platform::scriptBesideProgram())
        return std::nullopt;
    const std::vector<platform::MountedDisc> discs = platform::mountedSetupDiscs();
    const std::string& program = programName;
    if (discs.empty())
        return fail(options,
                    words::translateWith(
                        "No disc with a setup program (install.ini) is in a drive.\n"
                        "Insert the game's disc, or start the program on the disc's folder or on "
                        "an image of the disc:\n%1 /media/disc\n%1 game.iso",
                        {program}));
    if (discs.size() == 1)
        return start(options, discs.front().folder);
    wxArrayString names;
    for (const platform::MountedDisc& disc : discs)
        names.push_back(wxString::FromUTF8(discName(disc)));
    if (options.silent) {
        std::string text = words::translate(
            "Several discs hold a setup program: name the one to install from on the command line.");
        for (const platform::MountedDisc& disc : discs)
            text += "\n" + disc.folder;
        return fail(options, text);
    }
    wxSingleChoiceDialog choice(
        nullptr,
        wxString::FromUTF8(
            words::translate("Several discs hold a setup program. Choose the one to install from:")),
        wxString::FromUTF8(words::translate("Choose a disc")), names);
    if (choice.ShowModal() != wxID_OK) {
        runlog::write("stopped", "no disc chosen");
        return kFailed;
    }
    return start(options, discs[static_cast<std::size_t>(choice.GetSelection())].folder);
}

std::optional<int> refuseUnusableMachine(const CommandLine& options) {
    const std::string problem = platform::prepareMachine();
    if (problem.empty())
        return std::nullopt;
    return fail(options, words::translate("The game cannot be installed on this machine.") + "\n" +
                             problem);
}
