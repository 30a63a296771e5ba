#include "app/SetupDialog.h"
#include "pages/LanguagePage.h"
#include "platform/Locale.h"
#include "platform/Paths.h"
#include "platform/ProfileFile.h"
#include "support/DialogHook.h"
#include "support/TempFolder.h"
#ifndef _WIN32
#include "support/DriveTableFile.h"
#endif

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/image.h>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdlib>

namespace {

// Answers the language page by typing a name into its list and pressing Next.
class ExpectLanguagePage : public wxExpectModalBase<LanguagePage, ExpectLanguagePage> {
public:
    explicit ExpectLanguagePage(wxString typed) : typed(std::move(typed)) {}

protected:
    int OnInvoked(LanguagePage* page) const override {
        auto* combo = wxDynamicCast(page->FindWindow(LanguagePage::kLanguageListId), wxComboBox);
        combo->SetValue(typed);
        page->TransferDataFromWindow();
        return wxID_OK;
    }

private:
    wxString typed;
};

const char* kScript =
    "[Option]\nPROGRAM_NAME=Harbour\n"
    "[Language]\nNr=2\n0=English\n1=Polski\n0415=Polski\n"
    "[English]\nIDS_NAZWA_GRY2=Harbour Setup\nIDS_DALEJ=Install\nIDS_WYJSCIE=Exit\n"
    "Bitmap=pictures\\title.bmp\n"
    "[Polski]\nIDS_NAZWA_GRY2=Instalacja\nIDS_DALEJ=Instaluj\n";

class MainWindow : public testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        // Drives of the test's own: the machine's mounted discs (a disc image another test
        // mounted, a game disc in the drive) are none of this window's business.
        drives = std::make_unique<DriveTableFile>(folder, "c:|fixed|" + folder.path().string() +
                                                              "\nz:|fixed|/\n");
#endif
        folder.write("install.ini", kScript);
        std::filesystem::create_directories(folder / "pictures");
        wxImage picture(120, 80);
        picture.SetRGB(wxRect(0, 0, 120, 80), 200, 40, 40);
        picture.SaveFile((folder / "pictures/title.bmp").string(), wxBITMAP_TYPE_BMP);
        platform::overrideOwnProgramPath(platform::toDrivePath((folder / "setup").string()));
        saved = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
    }
    void TearDown() override {
        std::filesystem::current_path(saved);
        platform::overrideOwnProgramPath("");
        unsetenv("LANG");
#ifndef _WIN32
        drives.reset();
#endif
    }
    // Makes the script map the system's language to Polish. POSIX takes the language from LANG;
    // Windows has one system language, which this process cannot change, so the script maps it.
    void useMappedPolish() {
        setenv("LANG", "pl_PL.UTF-8", 1);
#ifdef _WIN32
        platform::writeProfileString((folder / "install.ini").string(), "Language",
                                     platform::systemLanguageId(), "Polski");
#endif
    }
    TempFolder folder;
#ifndef _WIN32
    std::unique_ptr<DriveTableFile> drives;
#endif
    std::filesystem::path saved;
};

TEST_F(MainWindow, mappedLanguageOpensAtOnceWithItsTexts) {
    useMappedPolish();
    SetupDialog dialog(nullptr);
    EXPECT_NO_DIALOG(ASSERT_TRUE(dialog.initialise()));
    EXPECT_EQ(dialog.sessionRecord().languageSection, "Polski");
    EXPECT_EQ(dialog.GetTitle(), "Instalacja");
    EXPECT_EQ(dialog.FindWindow(wxID_OK)->GetLabel(), "Instaluj");
    EXPECT_EQ(dialog.FindWindow(wxID_CANCEL)->GetLabel(), "") << "a missing key leaves it empty";
    EXPECT_FALSE(dialog.titleBitmap().IsOk()) << "the Polish section names no picture";
    EXPECT_EQ(dialog.sessionRecord().registryKey, "Software\\Tervalis\\Harbour_Polski");
}

TEST_F(MainWindow, unmappedLanguageAsksOnThePageAndLoadsThePictureAt350x250) {
    setenv("LANG", "en_US.UTF-8", 1);
    SetupDialog dialog(nullptr);
    wxTEST_DIALOG(ASSERT_TRUE(dialog.initialise()), ExpectLanguagePage("English"));
    EXPECT_EQ(dialog.GetTitle(), "Harbour Setup");
    EXPECT_EQ(dialog.FindWindow(wxID_CANCEL)->GetLabel(), "Exit");
    ASSERT_TRUE(dialog.titleBitmap().IsOk());
    // Pixel for pixel in the window it was made for; in a window grown with a larger text (the
    // test runs again at 1.5 times the text size) it fills the window's width as it did.
    const wxSize picture = dialog.titleBitmap().GetSize();
    const int width = dialog.GetClientSize().x;
    if (width < 385)
        EXPECT_EQ(picture, wxSize(350, 250));
    else
        EXPECT_TRUE(std::abs(picture.x - width) <= 1 &&
                    std::abs(picture.y * 350 - picture.x * 250) <= 350)
            << picture.x << "x" << picture.y << " in " << width;
    EXPECT_EQ(dialog.sessionRecord().sourceDrive, "X");
}

TEST_F(MainWindow, cancelledLanguagePageEndsTheRunAndWritesNothing) {
    setenv("LANG", "de_DE.UTF-8", 1);
    const std::string before = readWholeFile(folder / "install.ini");
    SetupDialog dialog(nullptr);
    wxTEST_DIALOG(EXPECT_FALSE(dialog.initialise()),
                  wxExpectDismissableModal<LanguagePage>(wxID_CANCEL));
    // The run stops at the page: the window is never filled from the script, so it has nothing
    // to show, and nothing is written.
    EXPECT_EQ(dialog.sessionRecord().languageSection, "");
    EXPECT_EQ(dialog.GetTitle(), "");
    EXPECT_FALSE(dialog.titleBitmap().IsOk());
    EXPECT_EQ(readWholeFile(folder / "install.ini"), before);
}

TEST_F(MainWindow, brokenPictureAndMissingScriptGiveAnEmptyWindow) {
    setenv("LANG", "en_US.UTF-8", 1);
    folder.write("pictures/title.bmp", "BMnot really a picture");
    SetupDialog dialog(nullptr);
    wxTEST_DIALOG(ASSERT_TRUE(dialog.initialise()), ExpectLanguagePage("English"));
    EXPECT_FALSE(dialog.titleBitmap().IsOk());
#ifndef _WIN32
    // A pipe in the picture's place is never waited on: the window comes up without a picture.
    std::filesystem::remove(folder / "pictures/title.bmp");
    ASSERT_EQ(mkfifo((folder / "pictures/title.bmp").c_str(), 0600), 0);
    SetupDialog piped(nullptr);
    wxTEST_DIALOG(ASSERT_TRUE(piped.initialise()), ExpectLanguagePage("English"));
    EXPECT_FALSE(piped.titleBitmap().IsOk());
#endif

    std::filesystem::remove(folder / "install.ini");
    SetupDialog empty(nullptr);
    wxTEST_DIALOG(ASSERT_TRUE(empty.initialise()), ExpectLanguagePage(""));
    EXPECT_EQ(empty.GetTitle(), "");
    EXPECT_EQ(empty.FindWindow(wxID_OK)->GetLabel(), "");
}

TEST_F(MainWindow, templateLayoutAndButtons) {
    useMappedPolish();
    SetupDialog dialog(nullptr);
    EXPECT_NO_DIALOG(ASSERT_TRUE(dialog.initialise()));
    auto* install = wxDynamicCast(dialog.FindWindow(wxID_OK), wxButton);
    ASSERT_NE(install, nullptr);
    EXPECT_EQ(dialog.GetDefaultItem(), install);
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(232, 150)));
    EXPECT_EQ(install->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(54, 125)));
    EXPECT_FALSE(dialog.HasFlag(wxCLOSE_BOX)) << "no close box: Exit or Esc end the run";
}

} // namespace
