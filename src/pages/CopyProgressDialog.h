#pragma once
// The copy dialog: runs the engine's copy on a thread of its own, while the window shows the
// status line and the bar and answers at once: Abort, Esc and closing the window stop the copy
// within a few milliseconds, whatever unit is under way, and what that unit had begun is undone.
// Ends with wxID_OK when every entry was processed, otherwise with wxID_CANCEL; the engine tells
// why.
#include "copy/CopyProgress.h"

#include <wx/dialog.h>
#include <wx/timer.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

class wxGauge;
class wxStaticText;

class CopyProgressDialog : public wxDialog, public CopyProgress {
public:
    explicit CopyProgressDialog(wxWindow* parent);
    ~CopyProgressDialog() override;

    // Shows the dialog modally until the copy has ended; Stopped when Abort, Esc, closing the
    // window or a signal to end the program stopped it. One copy per dialog.
    CopyEngine::Result runCopy(CopyEngine& engine) override;

    // How often the window looks at the copy, and how often at most the status line and the
    // bar change: a person reads no faster, and every change costs the window a new layout.
    static constexpr int kLookPeriodMs = 15;
    static constexpr int kDisplayPeriodMs = 50;

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnLook(wxTimerEvent& event);
    void OnAbort(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    // Stops the copy, waits for its thread and ends the dialog with Cancel.
    void stopAndEnd();
    void waitForTheCopy();
    // Puts the latest status and position on screen, once a display period has passed since
    // the last time or when asked to at once.
    void refreshDisplay(bool now);
    void setRangeOnceListed();
    void finish(int result);
    void nameControlsForReaders();

    CopyEngine* engine = nullptr;
    wxTimer lookTimer;
    wxStaticText* statusText = nullptr;
    wxGauge* progressBar = nullptr;
    bool started = false;
    std::thread copying;
    std::atomic<bool> stop{false};
    std::atomic<bool> copyDone{false};
    // The list's length once the copy's thread has read it, for the bar's range.
    std::atomic<int> listedEntries{-1};
    bool rangeSet = false;
    CopyEngine::Result outcome = CopyEngine::Result::Finished;

    // What the copy last told, written by its thread and read by the window's.
    std::mutex shownLock;
    std::string latestStatus;
    int latestPosition = 0;
    std::chrono::steady_clock::time_point displayedAt;
};
