#pragma once
// Answers every modal dialog of a whole run in the order given. A step may act on the dialog and
// answer it, or let it run for real (the copy dialog does its own work). A dialog that no step
// expects fails the test and is answered with Cancel, so a run never waits for a person.
#include <wx/modalhook.h>

#include <deque>
#include <functional>
#include <string>

class wxDialog;

class ScriptedDialogs : public wxModalDialogHook {
public:
    // Returns the dialog's result, or wxID_NONE to show it for real.
    using Step = std::function<int(wxDialog*)>;
    static constexpr int kRunForReal = -1000000;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    ScriptedDialogs& then(std::string description, Step step);
    // A message box whose text must be the given one, answered with the button id; when a caption
    // is given, the box's caption and icon (wxICON_ERROR, ...) must be those.
    ScriptedDialogs& thenMessage(const std::string& text, int answer, const char* caption = nullptr,
                                 long icon = 0);
    // The titles of the dialogs seen so far, in order.
    const std::vector<std::string>& seen() const { return shown; }
    // Fails the test for expected dialogs that never came.
    void checkAllShown();

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    std::deque<std::pair<std::string, Step>> steps;
    std::vector<std::string> shown;
};
