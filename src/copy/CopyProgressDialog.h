#pragma once
// The copy dialog: copies the install mode's list into the target folder, one unit per tick of
// a 10-millisecond timer, so that the window repaints and the abort button answers between units.
// Ends with wxID_OK when every entry was processed, otherwise with wxID_CANCEL and an errorText.
#include "copy/CopyEngine.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include <string>

class wxGauge;
class wxStaticText;

class CopyProgressDialog : public wxDialog {
public:
    // targetFolder is the session's and outlives the dialog.
    CopyProgressDialog(const std::string* targetFolder, wxWindow* parent,
                       const std::string& languageSection, const std::string& scriptPath);
    ~CopyProgressDialog() override;

    void setInstallMode(const std::string& mode) { engine.setInstallMode(mode); }
    const std::string& getErrorText() const { return engine.getErrorText(); }
    // The same copy without showing the window, for a run that shows none: wxID_OK or
    // wxID_CANCEL as ShowModal gives.
    int runWithoutWindow();

    static constexpr int kTimerId = 1;
    static constexpr int kTimerPeriodMs = 10;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnTimer(wxTimerEvent& event);
    void showStatus(const std::string& text);
    void showPosition(int position);
    void finish(int result);
    void nameControlsForReaders();

    CopyEngine engine;
    wxTimer timer;
    wxStaticText* statusText = nullptr;
    wxGauge* progressBar = nullptr;
    bool started = false;

    wxDECLARE_EVENT_TABLE();
};
