#include "copy/CopyProgressDialog.h"

#include "script/TextKeys.h"
#include "ui/Accessibility.h"
#include "ui/DialogResources.h"

#include <wx/button.h>
#include <wx/control.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {
constexpr int kProgressBarId = 1001;
constexpr int kStatusTextId = 1012;

wxString fromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}
} // namespace

wxBEGIN_EVENT_TABLE(CopyProgressDialog, wxDialog) EVT_INIT_DIALOG(CopyProgressDialog::OnInitDialog)
    EVT_TIMER(wxID_ANY, CopyProgressDialog::OnTimer) wxEND_EVENT_TABLE()

        CopyProgressDialog::CopyProgressDialog(const std::string* targetFolder, wxWindow* parent,
                                               const std::string& languageSection,
                                               const std::string& scriptPath)
    : engine(targetFolder, languageSection, scriptPath), timer(this, kTimerId) {
    loadDialogTemplate(this, parent, "dialog135", wxSize(290, 83));
    statusText = dynamic_cast<wxStaticText*>(FindWindow(kStatusTextId));
    progressBar = dynamic_cast<wxGauge*>(FindWindow(kProgressBarId));
    engine.showStatus = [this](const std::string& text) { showStatus(text); };
    engine.showPosition = [this](int position) { showPosition(position); };
}

// The clean-up lives here rather than in a destroy handler: that event comes from the base
// class's destructor, after these members are gone.
CopyProgressDialog::~CopyProgressDialog() {
    engine.closeArchive();
    timer.Stop();
}

void CopyProgressDialog::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    if (started)
        return;
    started = true;
    SetTitle(fromUtf8(engine.text(textkeys::kCopyCaption)));
    setControlText(FindWindow(wxID_CANCEL), engine.text(textkeys::kAbort));
    nameControlsForReaders();
    engine.buildList();
    // The bar's range is 16 bits wide, as the system's progress bar range message is.
    if (progressBar) {
        progressBar->SetRange(engine.getEntryCount() % 65536);
        progressBar->SetValue(0);
    }
    nextTickAt = std::chrono::steady_clock::now();
    scheduleNextTick();
}

void CopyProgressDialog::scheduleNextTick() {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    // A unit that took longer than a tick is followed at once, without making up for the ticks
    // it spanned, as a system timer does.
    nextTickAt = std::max(nextTickAt + milliseconds(kTimerPeriodMs), now);
    const auto wait = ceil<milliseconds>(nextTickAt - now).count();
    timer.StartOnce(static_cast<int>(std::max<decltype(wait)>(wait, 1)));
}

// The status line says what the bar is doing, so it labels the bar; the button keeps its own text
// rather than the line before it, which the toolkit would tie to it.
void CopyProgressDialog::nameControlsForReaders() {
    if (progressBar) {
        if (statusText)
            accessibility::labelControl(*progressBar, *statusText);
        accessibility::nameControl(*progressBar, GetTitle());
    }
    if (wxWindow* abort = FindWindow(wxID_CANCEL))
        accessibility::nameControl(*abort, wxControl::RemoveMnemonics(abort->GetLabel()));
}

void CopyProgressDialog::OnTimer(wxTimerEvent&) {
    // An ended dialog may still count as modal until its loop returns (Abort was pressed, or the
    // copy ended): a tick then must not copy another unit, nor ask for another tick.
    if (!IsModal() || !IsShown())
        return;
    switch (engine.copyStep()) {
    case CopyEngine::Step::Continue:
        refreshDisplay(false);
        scheduleNextTick();
        break;
    case CopyEngine::Step::Finished:
        finish(wxID_OK);
        break;
    case CopyEngine::Step::Failed:
        finish(wxID_CANCEL);
        break;
    }
}

void CopyProgressDialog::finish(int result) {
    timer.Stop();
    // A failure's box and a finished copy show the last entry and position, whatever the period.
    refreshDisplay(true);
    EndModal(result);
}

void CopyProgressDialog::showStatus(const std::string& text) {
    latestStatus = fromUtf8(text);
}

void CopyProgressDialog::showPosition(int position) {
    latestPosition = position;
}

void CopyProgressDialog::refreshDisplay(bool now) {
    const auto clock = std::chrono::steady_clock::now();
    if (!now && clock - displayedAt < std::chrono::milliseconds(kDisplayPeriodMs))
        return;
    displayedAt = clock;
    if (statusText && statusText->GetLabelText() != latestStatus)
        statusText->SetLabelText(latestStatus);
    // Past a wrapped range the bar stays full rather than being handed a value it refuses.
    if (progressBar) {
        const int value = std::clamp(latestPosition, 0, progressBar->GetRange());
        if (progressBar->GetValue() != value)
            progressBar->SetValue(value);
    }
}
