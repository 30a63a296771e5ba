#pragma once
// The copy dialog: copies the install mode's list into the target folder, one unit per tick of
// a 10-millisecond timer, so that the window repaints and the abort button answers between units.
// The ticks keep to a 10 ms grid counted from the first, so a unit's own work does not lengthen
// the wait before the next one, as it would with a timer that counts from the end of the last tick.
// Ends with wxID_OK when every entry was processed, otherwise with wxID_CANCEL and an errorText.
#include "copy/CopyEngine.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include <chrono>
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

    static constexpr int kTimerId = 1;
    static constexpr int kTimerPeriodMs = 10;
    // The status line and the bar change at most this often: a person reads no faster, and every
    // change costs the window a new layout and drawing, which at one unit per tick would cost
    // the copy several percent of its time.
    static constexpr int kDisplayPeriodMs = 50;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnTimer(wxTimerEvent& event);
    void showStatus(const std::string& text);
    void showPosition(int position);
    // Puts the latest status and position on screen, once a display period has passed since
    // the last time or when asked to at once.
    void refreshDisplay(bool now);
    void scheduleNextTick();
    void finish(int result);
    void nameControlsForReaders();

    CopyEngine engine;
    wxTimer timer;
    wxStaticText* statusText = nullptr;
    wxGauge* progressBar = nullptr;
    bool started = false;
    wxString latestStatus;
    int latestPosition = 0;
    std::chrono::steady_clock::time_point displayedAt;
    std::chrono::steady_clock::time_point nextTickAt;

    wxDECLARE_EVENT_TABLE();
};
