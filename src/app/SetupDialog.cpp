#include "app/SetupDialog.h"

#include "app/CommandLineAnswers.h"
#include "app/InstallSequence.h"
#include "app/PersonAnswers.h"
#include "app/UnattendedInstallation.h"
#include "pages/CopyProgressDialog.h"
#include "pages/LanguagePage.h"
#include "platform/BoundedRead.h"
#include "platform/EndSignals.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "script/SetupScript.h"
#include "script/TextKeys.h"
#include "session/CommandLine.h"
#include "session/SessionSetup.h"
#include "ui/DialogResources.h"

#include "icons/setup_icon.xpm"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/settings.h>

namespace {
constexpr int kTitleWidth = 350;
constexpr int kTitleHeight = 250;
double titleScale(int clientWidth) {
    // The window is sized in dialog units and grows with the text; the picture grows with it, so
    // that it still fills its place and the buttons stand where they stand on it. At the size it
    // was made for it is drawn pixel for pixel.
    const double scale = static_cast<double>(clientWidth) / kTitleWidth;
    return scale < 1.1 ? 1.0 : scale;
}

} // namespace

SetupDialog::SetupDialog(wxWindow* parent)
    : script(scriptPathBeside(platform::ownProgramPath())), appIcon(setup_icon_xpm) {
    loadDialogTemplate(this, parent, "dialog102", wxSize(232, 150));
    setupSession.scriptPath = script.path();
    Bind(wxEVT_PAINT, &SetupDialog::OnPaint, this);
    Bind(wxEVT_BUTTON, &SetupDialog::OnInstall, this, wxID_OK);
}

std::optional<std::string> SetupDialog::runLanguagePage() {
    LanguagePage page(nullptr, script);
    if (page.ShowModal() != wxID_OK)
        return std::nullopt;
    return page.getChosenLanguage();
}

bool SetupDialog::initialise() {
    const auto language = chooseLanguageSection(script, platform::systemLanguageId(),
                                                [this] { return runLanguagePage(); });
    if (!language)
        return false;
    setupSession.languageSection = *language;
    script = script.withLanguage(*language);
    fillFromScript();
    return true;
}

void SetupDialog::fillFromScript() {
    fillSessionForRun(setupSession, script);
    SetIcon(appIcon);
    loadTitleBitmap();
    applyTexts();
}

int SetupDialog::runUnattended(const CommandLine& options) {
    CommandLineAnswers answers(options);
    // --silent shows the copy's progress; --quiet shows nothing.
    if (options.quiet) {
        CopyWithoutWindow progress(&platform::endRequested());
        return installUnattended(setupSession, script, options, answers, progress);
    }
    CopyProgressDialog progress(nullptr);
    return installUnattended(setupSession, script, options, answers, progress);
}

void SetupDialog::loadTitleBitmap() {
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
    const double scale = titleScale(GetClientSize().x);
    titlePicture = wxBitmap(picture.Rescale(static_cast<int>(kTitleWidth * scale + 0.5),
                                            static_cast<int>(kTitleHeight * scale + 0.5),
                                            wxIMAGE_QUALITY_HIGH));
}

void SetupDialog::applyTexts() {
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
    PersonAnswers answers(*this, setupSession);
    (void)InstallSequence(setupSession, script, answers, answers).run();
}
