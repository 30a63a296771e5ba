#pragma once
// Include this instead of <wx/testing.h>: unexpected or missing modal dialogs become gtest
// failures, and a dialog that no expectation answers is closed with Cancel instead of being
// shown for real (which would hang the test run).
#include <gtest/gtest.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

class wxDialog;
class wxModalExpectation;
#include <queue>

class GTestDialogHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestDialogHook
#include <wx/testing.h>

class GTestDialogHook : public wxTestingModalHook {
public:
    GTestDialogHook(const char* file = nullptr, int line = 0, const char* func = nullptr)
        : wxTestingModalHook(file, line, func) {}

protected:
    int Enter(wxDialog* dialog) override;
    void ReportFailure(const wxString& message) override;
};

// Answers a message box by checking its text and returning the given button id.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(const wxString& message, int answer) : message(message), answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override;
    wxString GetDefaultDescription() const override { return "message box \"" + message + "\""; }

private:
    wxString message;
    int answer;
};

// Runs code during which no modal dialog may be shown.
#define EXPECT_NO_DIALOG(codeToRun)                                                                \
    {                                                                                              \
        GTestDialogHook noDialogHook(__FILE__, __LINE__, __func__);                                \
        codeToRun;                                                                                 \
        noDialogHook.CheckUnmetExpectations();                                                     \
    }
