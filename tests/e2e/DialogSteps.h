#pragma once
// Answers for the pages and dialogs of a whole run, as a person would give them.
#include "pages/CopyProgressDialog.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "pages/PageRunner.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

// A run's log with its lines ending in LF (on Windows they end in CR LF).
// The log's entries without their times ("14:03:07.250 "), so that runs compare line by line.
inline std::string readLog(const std::filesystem::path& log) {
    std::string text = readWholeFile(log);
    std::erase(text, '\r');
    std::string entries;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, end - at);
        if (line.size() > 13 && line[2] == ':' && line[5] == ':' && line[8] == '.' && line[12] == ' ')
            line.erase(0, 13);
        entries += line + "\n";
        at = end + 1;
    }
    return entries;
}

template <typename Page> Page* as(wxDialog* dialog) {
    auto* page = dynamic_cast<Page*>(dialog);
    EXPECT_NE(page, nullptr) << "unexpected dialog " << dialog->GetTitle().utf8_string();
    return page;
}

inline ScriptedDialogs::Step answer(int result) {
    return [result](wxDialog*) { return result; };
}

inline ScriptedDialogs::Step chooseInstallType(int radioId) {
    return [radioId](wxDialog* dialog) {
        if (auto* page = as<InstallTypePage>(dialog)) {
            auto* radio = wxDynamicCast(page->FindWindow(radioId), wxRadioButton);
            radio->SetValue(true);
            wxCommandEvent click(wxEVT_RADIOBUTTON, radioId);
            click.SetEventObject(radio);
            page->GetEventHandler()->ProcessEvent(click);
        }
        return wxID_OK;
    };
}

// Types a folder into the target folder page and accepts it.
inline ScriptedDialogs::Step chooseFolder(const std::string& folder) {
    return [folder](wxDialog* dialog) {
        auto* page = as<DirectoryPage>(dialog);
        if (!page)
            return wxID_CANCEL;
        page->pathEdit()->SetValue(wxString::FromUTF8(folder));
        EXPECT_TRUE(page->TransferDataFromWindow());
        return wxID_OK;
    };
}

inline ScriptedDialogs::Step copyForReal() {
    return [](wxDialog* dialog) {
        as<CopyProgressDialog>(dialog);
        return ScriptedDialogs::kRunForReal;
    };
}

} // namespace
