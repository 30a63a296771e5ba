#include "app/SystemWaitWindow.h"

#include "platform/SystemActivity.h"
#include "session/RunLog.h"
#include "words/ProgramWords.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <memory>

namespace {

// The wait's window while one lasts; a wait comes before any other window of the program.
class SystemWaitWindow : public wxFrame {
public:
    // what is English, as the system layer names the wait; it is shown in the run's language.
    explicit SystemWaitWindow(const std::string& what)
        : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(words::translate(what.c_str())),
                  wxDefaultPosition, wxDefaultSize, wxCAPTION | wxFRAME_NO_TASKBAR) {
        auto* panel = new wxPanel(this);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(new wxStaticText(panel, wxID_ANY, GetTitle()), 0, wxALL, 16);
        gauge = new wxGauge(panel, wxID_ANY, 100, wxDefaultPosition, wxSize(280, -1));
        sizer->Add(gauge, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 16);
        panel->SetSizerAndFit(sizer);
        SetClientSize(panel->GetSize());
        Centre();
        Show();
        Update();
    }

    void keepAlive() {
        gauge->Pulse();
        // The window stays painted and answers the desktop; nothing else takes input meanwhile.
        // A wait before the program's first window has no event loop to yield to: it gets one.
        if (wxEventLoopBase::GetActive()) {
            wxSafeYield(this, true);
            return;
        }
        if (!loop)
            loop = std::make_unique<wxGUIEventLoop>();
        wxEventLoopActivator active(loop.get());
        wxSafeYield(this, true);
    }

private:
    wxGauge* gauge = nullptr;
    std::unique_ptr<wxGUIEventLoop> loop;
};

SystemWaitWindow*& currentWindow() {
    static SystemWaitWindow* window = nullptr;
    return window;
}

void endWait() {
    if (SystemWaitWindow* window = currentWindow()) {
        window->Hide();
        window->Destroy();
    }
    currentWindow() = nullptr;
}

} // namespace

void showSystemActivity(bool withWindow) {
    platform::SystemActivityView view;
    view.note = [](const std::string& kind, const std::string& text) { runlog::write(kind, text); };
    if (withWindow) {
        view.begin = [](const std::string& what) {
            endWait();
            currentWindow() = new SystemWaitWindow(what);
            currentWindow()->keepAlive();
        };
        view.stillWaiting = [] {
            if (currentWindow())
                currentWindow()->keepAlive();
        };
        view.end = endWait;
    }
    platform::showSystemActivityIn(std::move(view));
}
