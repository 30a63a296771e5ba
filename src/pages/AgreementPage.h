#pragma once
// The licence agreement: the text file that the language's section names, shown whole, with
// accept (OK) and decline (Cancel).
#include <wx/dialog.h>

#include <string>

class SetupScript;
class wxTextCtrl;

class AgreementPage : public wxDialog {
public:
    AgreementPage(wxWindow* parent, const SetupScript& script);

    static constexpr int kAgreementTextId = 1013;

private:
    wxTextCtrl* agreementText = nullptr;
};
