#include "pages/CopyProgressDialog.h"

#include "platform/EndSignals.h"
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

CopyProgressDialog::CopyProgressDialog(wxWindow* parent) : lookTimer(this) {
    loadDialogTemplate(this, parent, "dialog135", wxSize(290, 83));
    statusText = dynamic_cast<wxStaticText*>(FindWindow(kStatusTextId));
    progressBar = dynamic_cast<wxGauge*>(FindWindow(kProgressBarId));
    Bind(wxEVT_INIT_DIALOG, &CopyProgressDialog::OnInitDialog, this);
    Bind(wxEVT_TIMER, &CopyProgressDialog::OnLook, this, lookTimer.GetId());
    Bind(wxEVT_BUTTON, &CopyProgressDialog::OnAbort, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CopyProgressDialog::OnClose, this);
}

CopyEngine::Result CopyProgressDialog::runCopy(CopyEngine& copyEngine) {
    engine = &copyEngine;
    engine->showStatus = [this](const std::string& text) {
        const std::lock_guard<std::mutex> hold(shownLock);
        latestStatus = text;
    };
    engine->showPosition = [this](int position) {
        const std::lock_guard<std::mutex> hold(shownLock);
        latestPosition = position;
    };
    (void)ShowModal();
    // However the window ended, no copy outlives it.
    stop = true;
    waitForTheCopy();
    engine->showStatus = nullptr;
    engine->showPosition = nullptr;
    return outcome;
}

// The clean-up lives here rather than in a destroy handler: that event comes from the base
// class's destructor, after these members are gone.
CopyProgressDialog::~CopyProgressDialog() {
    lookTimer.Stop();
    stop = true;
    waitForTheCopy();
}

void CopyProgressDialog::OnInitDialog(wxInitDialogEvent& event) {
    event.Skip();
    if (started || !engine)
        return;
    started = true;
    SetTitle(fromUtf8(engine->text(textkeys::kCopyCaption)));
    setControlText(FindWindow(wxID_CANCEL), engine->text(textkeys::kAbort));
    nameControlsForReaders();
    if (progressBar)
        progressBar->SetValue(0);
    // A long list takes a while to read from the script: the copy's thread reads it too.
    copying = std::thread([this] {
        engine->buildList();
        listedEntries = engine->getEntryCount();
        outcome = engine->copyAll(&stop);
        copyDone = true;
    });
    lookTimer.Start(kLookPeriodMs);
}

// The bar's range is 16 bits wide, as the system's progress bar range message is.
void CopyProgressDialog::setRangeOnceListed() {
    if (rangeSet || listedEntries.load() < 0)
        return;
    rangeSet = true;
    if (progressBar)
        progressBar->SetRange(listedEntries.load() % 65536);
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

void CopyProgressDialog::OnLook(wxTimerEvent&) {
    // An ended dialog may still count as modal until its loop returns: a look then ends nothing.
    if (!IsModal() || !IsShown())
        return;
    if (platform::endRequested().load()) {
        stopAndEnd();
        return;
    }
    if (!copyDone.load()) {
        refreshDisplay(false);
        return;
    }
    waitForTheCopy();
    finish(outcome == CopyEngine::Result::Finished ? wxID_OK : wxID_CANCEL);
}

void CopyProgressDialog::OnAbort(wxCommandEvent&) {
    if (IsModal())
        stopAndEnd();
}

// Closing the window is Abort, as the system's dialogs take it.
void CopyProgressDialog::OnClose(wxCloseEvent& event) {
    if (IsModal()) {
        stopAndEnd();
        return;
    }
    event.Skip();
}

void CopyProgressDialog::stopAndEnd() {
    stop = true;
    waitForTheCopy();
    // A copy that ended by itself just before the stop keeps its own outcome.
    finish(outcome == CopyEngine::Result::Finished ? wxID_OK : wxID_CANCEL);
}

void CopyProgressDialog::waitForTheCopy() {
    if (copying.joinable())
        copying.join();
}

void CopyProgressDialog::finish(int result) {
    lookTimer.Stop();
    // A failure's box and a finished copy show the last entry and position, whatever the period.
    refreshDisplay(true);
    EndModal(result);
}

void CopyProgressDialog::refreshDisplay(bool now) {
    setRangeOnceListed();
    const auto clock = std::chrono::steady_clock::now();
    if (!now && clock - displayedAt < std::chrono::milliseconds(kDisplayPeriodMs))
        return;
    displayedAt = clock;
    wxString status;
    int position = 0;
    {
        const std::lock_guard<std::mutex> hold(shownLock);
        status = fromUtf8(latestStatus);
        position = latestPosition;
    }
    if (statusText && statusText->GetLabelText() != status)
        statusText->SetLabelText(status);
    // Past a wrapped range the bar stays full rather than being handed a value it refuses.
    if (progressBar) {
        const int value = std::clamp(position, 0, progressBar->GetRange());
        if (progressBar->GetValue() != value)
            progressBar->SetValue(value);
    }
}
