#include "pages/InstallTypePage.h"
#include "script/SetupScript.h"
#include "pages/PageRunner.h"
#include "support/DialogHook.h"
#include "support/TempFolder.h"

#include <wx/radiobut.h>

namespace {

class InstallTypePageTest : public testing::Test {
protected:
    TempFolder temp;
    std::string script = temp.write("install.ini", "[POL]\n"
                                                   "IDS_RODZAJ_INST=Rodzaj instalacji\n"
                                                   "IDS_WYBIERZ_INST=Wybierz\n"
                                                   "IDS_WERSJA_MIN=Minimalna\n"
                                                   "IDS_WERSJA_STD=Standardowa\n"
                                                   "IDS_WERSJA_MAX=Pełna\n"
                                                   "IDS_DALEJ=Dalej\n"
                                                   "IDS_POWROT=Powrót\n")
                             .string();

    static wxRadioButton* radio(InstallTypePage& page, int id) {
        return dynamic_cast<wxRadioButton*>(page.FindWindow(id));
    }
    static void choose(InstallTypePage& page, int id) {
        wxRadioButton* button = radio(page, id);
        button->SetValue(true);
        wxCommandEvent event(wxEVT_RADIOBUTTON, id);
        event.SetEventObject(button);
        event.SetInt(1);
        button->GetEventHandler()->ProcessEvent(event);
    }
};

TEST_F(InstallTypePageTest, TextsComeFromTheLanguageSection) {
    InstallTypePage page(nullptr, SetupScript(script, "POL"));
    const struct {
        int id;
        const char* text;
    } expected[] = {
        {InstallTypePage::kGroupId, "Wybierz"},
        {InstallTypePage::kMinimalId, "Minimalna"},
        {InstallTypePage::kStandardId, "Standardowa"},
        {InstallTypePage::kFullId, "Pełna"},
        {wxID_OK, "Dalej"},
        {wxID_CANCEL, "Powrót"},
    };
    EXPECT_EQ(page.GetTitle().utf8_string(), "Rodzaj instalacji");
    for (const auto& e : expected)
        EXPECT_EQ(page.FindWindow(e.id)->GetLabel().utf8_string(), e.text) << e.id;
}

TEST_F(InstallTypePageTest, MissingKeysLeaveEveryTextEmpty) {
    InstallTypePage page(nullptr, SetupScript(script, "ENG"));
    EXPECT_EQ(page.GetTitle(), "");
    for (int id :
         {InstallTypePage::kGroupId, InstallTypePage::kMinimalId, InstallTypePage::kStandardId,
          InstallTypePage::kFullId, int(wxID_OK), int(wxID_CANCEL)})
        EXPECT_EQ(page.FindWindow(id)->GetLabel(), "") << id;
}

TEST_F(InstallTypePageTest, StandardAtOnce) {
    InstallTypePage page(nullptr, SetupScript(script, "POL"));
    EXPECT_TRUE(radio(page, InstallTypePage::kStandardId)->GetValue());
    EXPECT_EQ(runPage(page, [&] { clickButton(page, wxID_OK); }), wxID_OK);
    EXPECT_EQ(page.getInstallMode(), "std");
}

TEST_F(InstallTypePageTest, LastClickedChoiceCounts) {
    const struct {
        std::vector<int> clicks;
        const char* mode;
    } cases[] = {
        {{InstallTypePage::kFullId, InstallTypePage::kMinimalId}, "min"},
        {{InstallTypePage::kFullId}, "max"},
        {{InstallTypePage::kMinimalId, InstallTypePage::kStandardId}, "std"},
    };
    for (const auto& c : cases) {
        InstallTypePage page(nullptr, SetupScript(script, "POL"));
        const int result = runPage(page, [&] {
            for (int id : c.clicks)
                choose(page, id);
            clickButton(page, wxID_OK);
        });
        EXPECT_EQ(result, wxID_OK);
        EXPECT_EQ(page.getInstallMode(), c.mode);
    }
}

TEST_F(InstallTypePageTest, EveryPageStartsFromStandard) {
    {
        InstallTypePage first(nullptr, SetupScript(script, "POL"));
        EXPECT_EQ(runPage(first,
                          [&] {
                              choose(first, InstallTypePage::kFullId);
                              clickButton(first, wxID_CANCEL);
                          }),
                  wxID_CANCEL);
    }
    InstallTypePage second(nullptr, SetupScript(script, "POL"));
    EXPECT_EQ(second.getInstallMode(), "std");
    EXPECT_TRUE(radio(second, InstallTypePage::kStandardId)->GetValue());
}

} // namespace
