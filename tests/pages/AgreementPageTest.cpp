#include "pages/AgreementPage.h"
#include "script/SetupScript.h"
#include "controls/TestDrives.h"
#include "pages/AgreementText.h"
#include "pages/PageRunner.h"
#include "platform/Locale.h"
#include "platform/TextEncoding.h"
#include "support/DialogHook.h"
#include "support/TempFolder.h"
#include "ui/ToolkitMetrics.h"

#include <wx/textctrl.h>

namespace {

namespace fs = std::filesystem;

class AgreementPageTest : public testing::Test {
protected:
    void SetUp() override {
        script = temp.write("install.ini", "[POL]\n"
                                           "IDS_LICENCJA=Umowa licencyjna\n"
                                           "IDS_AKCEPT_UMOWE=Akceptuję umowę\n"
                                           "IDS_NIE=Nie\n"
                                           "IDS_LICENCE_FILE_NAME=licencja.txt\n"
                                           "[ENG]\n"
                                           "IDS_LICENCE_FILE_NAME=docs\\licence.txt\n"
                                           "[MISSING]\n"
                                           "IDS_LICENCE_FILE_NAME=nowhere.txt\n")
                     .string();
    }

    std::string shownText(AgreementPage& page) {
        auto* text = dynamic_cast<wxTextCtrl*>(page.FindWindow(AgreementPage::kAgreementTextId));
        return text ? text->GetValue().utf8_string() : "(no control)";
    }

    TempFolder temp;
    CurrentFolderScope current{temp.path()};
    std::string script;
};

TEST_F(AgreementPageTest, ShowsTheTextsAndTheWholeAgreementUnwrapped) {
    const std::string longLine(600, 'x');
    temp.write("licencja.txt", "Umowa\n" + longLine + "\nkoniec\n");
    AgreementPage page(nullptr, SetupScript(script, "POL"));
    EXPECT_EQ(page.GetTitle().utf8_string(), "Umowa licencyjna");
    EXPECT_EQ(page.FindWindow(wxID_OK)->GetLabel().utf8_string(), "Akceptuję umowę");
    EXPECT_EQ(page.FindWindow(wxID_CANCEL)->GetLabel().utf8_string(), "Nie");
    EXPECT_EQ(shownText(page), "Umowa\n" + longLine + "\nkoniec\n");
    auto* text = page.FindWindow(AgreementPage::kAgreementTextId);
    EXPECT_TRUE(text->HasFlag(wxTE_MULTILINE));
    EXPECT_TRUE(text->HasFlag(wxTE_READONLY));
    EXPECT_TRUE(text->HasFlag(wxTE_DONTWRAP));
}

TEST_F(AgreementPageTest, EachLanguageShowsItsOwnAgreement) {
    temp.write("licencja.txt", "po polsku");
    temp.write("docs/licence.txt", "in English");
    AgreementPage polish(nullptr, SetupScript(script, "POL"));
    AgreementPage english(nullptr, SetupScript(script, "ENG"));
    EXPECT_EQ(shownText(polish), "po polsku");
    EXPECT_EQ(shownText(english), "in English");
}

// Missing keys leave their texts empty; a named agreement that is not there is said to be missing
// rather than shown as an empty one, and can still be accepted.
TEST_F(AgreementPageTest, MissingKeysLeaveTextsEmptyAndAMissingFileIsSaidToBe) {
    AgreementPage page(nullptr, SetupScript(script, "MISSING"));
    EXPECT_EQ(page.GetTitle(), "");
    EXPECT_EQ(page.FindWindow(wxID_OK)->GetLabel(), "");
    EXPECT_EQ(page.FindWindow(wxID_CANCEL)->GetLabel(), "");
    EXPECT_EQ(shownText(page), "The licence agreement nowhere.txt is not on the medium.");
    EXPECT_EQ(runPage(page, [&] { clickButton(page, wxID_OK); }), wxID_OK);
    fs::create_directory(temp.path() / "nowhere.txt");
    EXPECT_EQ(loadAgreementText("nowhere.txt"),
              "The licence agreement nowhere.txt cannot be read from the medium.");
}

TEST_F(AgreementPageTest, EmptyFileShowsNothingAndCanStillBeAccepted) {
    temp.write("licencja.txt", "");
    AgreementPage page(nullptr, SetupScript(script, "POL"));
    EXPECT_EQ(shownText(page), "");
    EXPECT_EQ(runPage(page, [&] { clickButton(page, wxID_OK); }), wxID_OK);
}

TEST_F(AgreementPageTest, DeclineAndEscapeReturnCancel) {
    temp.write("licencja.txt", "text");
    AgreementPage declined(nullptr, SetupScript(script, "POL"));
    EXPECT_EQ(runPage(declined, [&] { clickButton(declined, wxID_CANCEL); }), wxID_CANCEL);
    AgreementPage closed(nullptr, SetupScript(script, "POL"));
    EXPECT_EQ(runPage(closed, [&] { closed.Close(); }), wxID_CANCEL);
}

// ... and shows it before any key is pressed.
TEST_F(AgreementPageTest, DeclineButtonHoldsTheFocusWhenThePageOpens) {
    AgreementPage page(nullptr, SetupScript(script, "POL"));
    wxWindow* focused = nullptr;
    bool shown = false;
    runPage(page, [&] {
        wxMilliSleep(100);
        wxYield();
        focused = wxWindow::FindFocus();
        shown = toolkit::showsFocus(&page);
        page.EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(focused, page.FindWindow(wxID_CANCEL));
    EXPECT_TRUE(shown);
}

TEST(AgreementText, ZeroByteEndsTheTextAndOtherBytesUseTheCodePage) {
    using namespace std::string_literals;
    EXPECT_EQ(decodeAgreementBytes("before\0after"s), "before");
    EXPECT_EQ(decodeAgreementBytes("zażółć"), "zażółć");
    EXPECT_EQ(decodeAgreementBytes("\xEF\xBB\xBFzażółć"), "zażółć");
    const std::string eightBit = "Gr\xfc\xdf";
    const std::string decoded = decodeAgreementBytes(eightBit);
    EXPECT_TRUE(platform::isValidUtf8(decoded));
    EXPECT_EQ(decoded, platform::codePageToUtf8(eightBit, platform::ansiCodePage()));
    EXPECT_EQ(loadAgreementText(""), "");
}

} // namespace
