#include "support/DialogHook.h"

int GTestDialogHook::Enter(wxDialog* dialog) {
    const int result = wxTestingModalHook::Enter(dialog);
    return result == wxID_NONE ? wxID_CANCEL : result;
}

void GTestDialogHook::ReportFailure(const wxString& message) {
    ADD_FAILURE() << message.utf8_string();
}

int ExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    EXPECT_EQ(dialog->GetMessage().utf8_string(), message.utf8_string());
    return answer;
}
