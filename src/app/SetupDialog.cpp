#include "app/SetupDialog.h"

#include "app/CommandLineAnswers.h"
#include "app/InstallSequence.h"
#include "app/PersonAnswers.h"
#include "pages/LanguagePage.h"
#include "platform/BoundedRead.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/CommandLine.h"
#include "session/RunLog.h"
#include "session/SessionSetup.h"
#include "ui/DialogResources.h"
#include "words/ProgramWords.h"

#include "icons/setup_icon.xpm"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/settings.h>

namespace {
constexpr int kTitleWidth = 350;
constexpr int kTitleHeight = 250;
} // namespace

SetupDialog::SetupDialog(wxWindow* parent) : appIcon(setup_icon_xpm) {
    loadDialogTemplate(this, parent, "dialog102", wxSize(232, 150));
    setupSession.scriptPath = scriptPathBeside(platform::ownProgramPath());
    Bind(wxEVT_PAINT, &SetupDialog::OnPaint, this);
    Bind(wxEVT_BUTTON, &SetupDialog::OnInstall, this, wxID_OK);
}

std::optional<std::string> SetupDialog::runLanguagePage() {
    LanguagePage page(nullptr, setupSession.scriptPath);
    if (page.ShowModal() != wxID_OK)
        return std::nullopt;
    return page.getChosenLanguage();
}

bool SetupDialog::initialise() {
    const SetupScript anyLanguage(setupSession.scriptPath);
    const auto language = chooseLanguageSection(anyLanguage, platform::systemLanguageId(),
                                                [this] { return runLanguagePage(); });
    if (!language)
        return false;
    setupSession.languageSection = *language;
    fillFromScript();
    return true;
}

void SetupDialog::fillFromScript() {
    const SetupScript script(setupSession.scriptPath, setupSession.languageSection);
    fillSetupSession(setupSession, script);
    words::useLanguage(
        sectionLanguageId(script, setupSession.languageSection, platform::systemLanguageId()));
    SetIcon(appIcon);
    loadTitleBitmap(script);
    applyTexts(script);
    setupSession.sourceDrive = findSourceDrive();
}

int SetupDialog::runUnattended(const CommandLine& options) {
    // A script that cannot be read would otherwise be reported as one without languages. It is
    // read once more, only then, to tell why.
    if (platform::listProfileLines(setupSession.scriptPath).empty()) {
        constexpr std::size_t kScriptLimit = 64u << 20;
        std::string bytes;
        const std::string unread = platform::describeUnreadFile(
            platform::readRegularFile(setupSession.scriptPath, kScriptLimit, bytes), kScriptLimit);
        runlog::failure("the script could not be read: " + setupSession.scriptPath + " is " +
                        (unread.empty() ? std::string("no setup script (it has no sections)")
                                        : unread));
        return 1;
    }
    const SetupScript anyLanguage(setupSession.scriptPath);
    std::optional<std::string> language;
    std::string failure;
    if (!options.language.empty()) {
        language = listedLanguage(anyLanguage, options.language);
        if (!language)
            failure = "the script lists no language \"" + options.language + "\"";
    } else {
        const std::string system = platform::systemLanguageId();
        language = chooseLanguageSection(anyLanguage, system, [] { return std::nullopt; });
        if (!language)
            failure =
                "the script maps no language to the system's (" + system + "): give --language";
    }
    if (!language) {
        runlog::failure(failure);
        return 1;
    }
    setupSession.languageSection = *language;
    fillFromScript();
    if (options.folder.empty() && setupSession.targetFolder.empty()) {
        failure = "the script names no target folder: give --dir";
        runlog::failure(failure);
        return 1;
    }
    CommandLineAnswers answers(options);
    return InstallSequence(*this, answers).run() ? 0 : 1;
}

void SetupDialog::loadTitleBitmap(const SetupScript& script) {
    // Far above any title picture; the name may as well be a pipe or a device, which is never
    // waited on.
    constexpr std::size_t kPictureLimit = 64u << 20;
    const std::string name = script.languageText("Bitmap");
    std::string bytes;
    if (name.empty() ||
        platform::readRegularFile(name, kPictureLimit, bytes) != platform::FileReadResult::Read)
        return;
    wxImage picture;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxLogNull quiet; // a missing or broken picture leaves the window without one, unreported
    if (!picture.LoadFile(stream, wxBITMAP_TYPE_BMP))
        return;
    titlePicture = wxBitmap(picture.Rescale(kTitleWidth, kTitleHeight, wxIMAGE_QUALITY_HIGH));
}

void SetupDialog::applyTexts(const SetupScript& script) {
    SetTitle(wxString::FromUTF8(script.languageText(textkeys::kMainCaption)));
    setControlText(FindWindow(wxID_OK), script.languageText(textkeys::kNext));
    setControlText(FindWindow(wxID_CANCEL), script.languageText(textkeys::kExit));
}

void SetupDialog::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (IsIconized()) {
        const wxSize client = GetClientSize();
        const int x = (client.x - wxSystemSettings::GetMetric(wxSYS_ICON_X) + 1) / 2;
        const int y = (client.y - wxSystemSettings::GetMetric(wxSYS_ICON_Y) + 1) / 2;
        dc.DrawIcon(appIcon, x, y);
    } else if (titlePicture.IsOk()) {
        dc.DrawBitmap(titlePicture, 0, 0);
    }
}

void SetupDialog::OnInstall(wxCommandEvent&) {
    runInstallSequence();
}

void SetupDialog::runInstallSequence() {
    PersonAnswers answers(*this);
    (void)InstallSequence(*this, answers).run();
}
