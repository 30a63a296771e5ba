#pragma once
// Running a page for real: its modal loop starts, the given steps act on the shown page, and a
// guard ends the loop with wxID_ABORT should the steps fail to close it.
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include <functional>

// Whether a window's modal loop still runs: the toolkit on Windows keeps a window modal until its
// loop has returned, though it was ended and hidden already.
inline bool stillOpen(wxDialog& window) {
    return window.IsModal() && window.IsShown();
}

// Lets the toolkit handle events until the condition holds or two seconds have passed: the
// desktop tells the toolkit of focus and window states in its own time. The condition's last value.
inline bool waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        wxYield();
        wxMilliSleep(10);
    }
    return condition();
}

inline int runPage(wxDialog& page, std::function<void()> steps) {
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&page](wxTimerEvent&) {
        if (page.IsModal())
            page.EndModal(wxID_ABORT);
    });
    guard.StartOnce(10000);
    page.CallAfter([steps] { steps(); });
    return page.ShowModal();
}

// What a click on the button does: its command event, from the button.
inline void clickButton(wxWindow& page, int id) {
    wxWindow* button = page.FindWindow(id);
    if (!button)
        return;
    wxCommandEvent event(wxEVT_BUTTON, id);
    event.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(event);
}
