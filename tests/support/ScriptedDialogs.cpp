#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

ScriptedDialogs::ScriptedDialogs() {
    Register();
}

ScriptedDialogs::~ScriptedDialogs() {
    Unregister();
}

ScriptedDialogs& ScriptedDialogs::then(std::string description, Step step) {
    steps.emplace_back(std::move(description), std::move(step));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::thenMessage(const std::string& text, int answer,
                                              const char* caption, long icon) {
    const std::string title = caption ? caption : "";
    return then("message box \"" + text + "\"", [=](wxDialog* dialog) {
        auto* box = dynamic_cast<wxMessageDialog*>(dialog);
        EXPECT_NE(box, nullptr) << "expected a message box, got "
                                << dialog->GetTitle().utf8_string();
        if (box) {
            EXPECT_EQ(box->GetMessage().utf8_string(), text);
            if (caption) {
                EXPECT_EQ(box->GetTitle().utf8_string(), title) << text;
                EXPECT_EQ(box->GetMessageDialogStyle() & wxICON_MASK, icon) << text;
            }
        }
        return answer;
    });
}

void ScriptedDialogs::checkAllShown() {
    for (const auto& [description, step] : steps)
        ADD_FAILURE() << "expected " << description << " was not shown";
    steps.clear();
}

int ScriptedDialogs::Enter(wxDialog* dialog) {
    const std::string title = dialog->GetTitle().utf8_string();
    auto* box = dynamic_cast<wxMessageDialog*>(dialog);
    shown.push_back(box ? "box: " + box->GetMessage().utf8_string() : title);
    if (steps.empty()) {
        ADD_FAILURE() << "unexpected dialog \"" << shown.back() << "\"";
        return wxID_CANCEL;
    }
    const Step step = steps.front().second;
    steps.pop_front();
    const int answer = step(dialog);
    return answer == kRunForReal ? wxID_NONE : answer;
}
