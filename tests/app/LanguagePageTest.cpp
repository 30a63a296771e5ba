#include "pages/LanguagePage.h"
#include "script/SetupScript.h"
#include "support/TempFolder.h"

#include <wx/combobox.h>
#include <wx/stattext.h>

#include <gtest/gtest.h>

namespace {

wxComboBox* languageList(LanguagePage& page) {
    return wxDynamicCast(page.FindWindow(LanguagePage::kLanguageListId), wxComboBox);
}

TEST(LanguagePage, listsTheScriptsLanguagesInOrderWithTheFirstChosen) {
    TempFolder folder;
    const auto script =
        folder.write("install.ini", "[Language]\nNr=3\n0=Polski\n1=English\n2=\n3=Hidden\n");
    LanguagePage page(nullptr, SetupScript(script.string()));
    wxComboBox* list = languageList(page);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), 3u) << "empty values are listed too";
    EXPECT_EQ(list->GetString(0), "Polski");
    EXPECT_EQ(list->GetString(1), "English");
    EXPECT_EQ(list->GetValue(), "Polski");
    EXPECT_EQ(page.GetTitle(), "LANGUAGE");
    EXPECT_EQ(page.FindWindow(wxID_OK)->GetLabel(), "Next");
    EXPECT_EQ(page.FindWindow(wxID_CANCEL)->GetLabel(), "Cancel");
    EXPECT_FALSE(list->HasFlag(wxCB_READONLY)) << "a name can be typed";
    EXPECT_FALSE(list->HasFlag(wxCB_SORT));
}

TEST(LanguagePage, typedNameIsTheChoiceAndAnEmptyListGivesAnEmptyName) {
    TempFolder folder;
    const auto script = folder.write("install.ini", "[Language]\nNr=x\n");
    LanguagePage page(nullptr, SetupScript(script.string()));
    EXPECT_EQ(languageList(page)->GetCount(), 0u);
    EXPECT_EQ(languageList(page)->GetValue(), "");
    page.TransferDataFromWindow();
    EXPECT_EQ(page.getChosenLanguage(), "");
    languageList(page)->SetValue("Klingon");
    page.TransferDataFromWindow();
    EXPECT_EQ(page.getChosenLanguage(), "Klingon");
}

TEST(LanguagePage, brokenHugeCountDoesNotKeepThePageFromOpening) {
    TempFolder folder;
    const auto script = folder.write("install.ini", "[Language]\nNr=2147483647\n0=English\n");
    LanguagePage page(nullptr, SetupScript(script.string()));
    EXPECT_EQ(languageList(page)->GetCount(), 1000u);
    EXPECT_EQ(languageList(page)->GetValue(), "English");
}

TEST(LanguagePage, nextEndsWithOkThroughTheRealModalLoop) {
    TempFolder folder;
    const auto script = folder.write("install.ini", "[Language]\nNr=1\n0=English\n");
    LanguagePage page(nullptr, SetupScript(script.string()));
    page.CallAfter([&page] {
        wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
        click.SetEventObject(page.FindWindow(wxID_OK));
        page.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(click);
    });
    EXPECT_EQ(page.ShowModal(), wxID_OK);
    EXPECT_EQ(page.getChosenLanguage(), "English");
}

} // namespace
