#include "pages/DirectoryPage.h"
#include "script/SetupScript.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/TestDrives.h"
#include "pages/PageRunner.h"
#include "support/DialogHook.h"
#include "words/ProgramWords.h"

#include <fstream>
#include <wx/app.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/vlbox.h>

namespace {

class DirectoryPageTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('c', "fixed", "SYSTEM");
        drives.add('d', "fixed", "DATA");
        drives.addEmpty('e', "removable");
        for (const char* folder : {"Program Files/Games", "Program Files/Common Files"})
            drives.makeFolders('c', folder);
        drives.makeFolders('d', "Tools");
        drives.install();
        script = drives.makeFolders('c', "Setup") / "install.ini";
        std::ofstream(script) << "[POL]\nIDS_NAZWA_GRY=Gra\nIDS_DYSK=Dysk:\n"
                                 "IDS_KATALOG_NAME=Katalog docelowy\nIDS_DALEJ=Dalej >>\n"
                                 "IDS_POWROT=<< Powrót\n[ENG]\nIDS_DYSK=Drive\n";
    }

    std::unique_ptr<DirectoryPage> makePage(const std::string& initialPath,
                                            const std::string& language = "POL") {
        return std::make_unique<DirectoryPage>(nullptr, initialPath, SetupScript(script.string(), language));
    }

    static std::string editText(const DirectoryPage& page) {
        return page.pathEdit()->GetValue().utf8_string();
    }

    static void chooseDrive(DirectoryPage& page, int item) {
        page.driveSelector()->SetSelection(item);
        wxCommandEvent event(wxEVT_COMBOBOX, DirectoryPage::kDriveSelectorId);
        event.SetEventObject(page.driveSelector());
        event.SetInt(item);
        page.driveSelector()->GetEventHandler()->ProcessEvent(event);
    }

    static void doubleClick(DirectoryPage& page, int item) {
        DirectoryListBox* list = page.folderList();
        list->SetSelection(item);
        wxCommandEvent event(wxEVT_LISTBOX_DCLICK, DirectoryPage::kFolderListId);
        event.SetEventObject(list);
        event.SetInt(item);
        list->GetEventHandler()->ProcessEvent(event);
    }

    static void pressInList(DirectoryPage& page, int key) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(page.folderList());
        page.folderList()->GetEventHandler()->ProcessEvent(event);
    }

    TestDrives drives;
    std::filesystem::path script;
};

TEST_F(DirectoryPageTest, StartsWithThePathInTheBoxAndItsExistingPartInTheList) {
    auto page = makePage("C:\\Program Files\\NewGame");
    EXPECT_EQ(editText(*page), "C:\\Program Files\\NewGame");
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "C:\\Program Files\\");
    EXPECT_EQ(page->driveSelector()->GetSelectedDrive(), "c:\\");
    EXPECT_EQ(page->pathEdit()->GetId(), DirectoryPage::kPathEditId);
    EXPECT_EQ(page->folderList()->GetId(), DirectoryPage::kFolderListId);
    EXPECT_EQ(page->driveSelector()->GetId(), DirectoryPage::kDriveSelectorId);
}

TEST_F(DirectoryPageTest, TextsByKeyAndMissingKeysLeaveControlsEmpty) {
    auto polish = makePage("C:\\");
    EXPECT_EQ(polish->GetTitle(), "Gra");
    EXPECT_EQ(polish->FindWindow(DirectoryPage::kDriveLabelId)->GetLabel(), "Dysk:");
    EXPECT_EQ(polish->FindWindow(DirectoryPage::kFolderLabelId)->GetLabel(), "Katalog docelowy");
    EXPECT_EQ(polish->FindWindow(wxID_OK)->GetLabel(), "Dalej >>");
    EXPECT_EQ(polish->FindWindow(wxID_CANCEL)->GetLabel().utf8_string(), "<< Powrót");
    auto english = makePage("C:\\", "ENG");
    EXPECT_EQ(english->GetTitle(), "");
    EXPECT_EQ(english->FindWindow(DirectoryPage::kDriveLabelId)->GetLabel(), "Drive");
    EXPECT_EQ(english->FindWindow(wxID_OK)->GetLabel(), "");
    EXPECT_EQ(english->FindWindow(wxID_CANCEL)->GetLabel(), "");
}

TEST_F(DirectoryPageTest, RealControlsTakeThePlaceholdersPlacesAndTabOrder) {
    auto page = makePage("C:\\");
    std::vector<int> order;
    for (wxWindow* child : page->GetChildren())
        if (child->GetId() > 0 || child->GetId() == wxID_OK || child->GetId() == wxID_CANCEL)
            order.push_back(child->GetId());
    const std::vector<int> expected = {1009, 1011, 1010, 1026, wxID_OK, wxID_CANCEL, 1007};
    EXPECT_EQ(order, expected);
    const wxRect list = page->folderList()->GetRect();
    EXPECT_EQ(list.GetPosition(), page->ConvertDialogToPixels(wxPoint(7, 46)));
    EXPECT_EQ(list.GetSize(), page->ConvertDialogToPixels(wxSize(209, 92)));
    const wxRect combo = page->driveSelector()->GetRect();
    EXPECT_EQ(combo.GetPosition(), page->ConvertDialogToPixels(wxPoint(50, 151)));
    EXPECT_EQ(combo.width, page->ConvertDialogToPixels(wxSize(166, 0)).x);
    // Dropped down, the list shows every drive, not a single row.
    page->Show();
    page->driveSelector()->Popup();
    wxYield();
    const auto* dropped = dynamic_cast<wxVListBox*>(page->driveSelector()->GetPopupControl());
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(dropped->GetVisibleRowsEnd() - dropped->GetVisibleRowsBegin(),
              page->driveSelector()->GetCount());
    page->driveSelector()->Dismiss();
    page->Hide();
    // The box takes no more than a folder path may hold, so that a folder it takes can be made.
    page->pathEdit()->ChangeValue(std::string(255, 'x'));
    page->pathEdit()->AppendText("y");
    EXPECT_EQ(page->pathEdit()->GetValue(), std::string(255, 'x'));
}

TEST_F(DirectoryPageTest, ChoosingADriveChangesOnlyTheFirstCharacter) {
    auto page = makePage("C:\\Program Files\\NewGame");
    chooseDrive(*page, 1);
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "d:\\");
    EXPECT_EQ(editText(*page), "d:\\Program Files\\NewGame");
    EXPECT_EQ(page->driveSelector()->GetSelectedDrive(), "d:\\");
}

TEST_F(DirectoryPageTest, ChoosingADriveKeepsAnEmptyPathEmpty) {
    CurrentFolderScope current(drives.folderOf('c') / "Program Files");
    auto page = makePage("");
    EXPECT_EQ(wxString(page->folderList()->GetCurrentPath()).Lower(), "c:\\program files\\");
    chooseDrive(*page, 1);
    EXPECT_EQ(editText(*page), "");
}

TEST_F(DirectoryPageTest, DriveWithoutMediumFallsBackToTheShownDrive) {
    auto page = makePage("C:\\Program Files\\NewGame");
    ASSERT_EQ(page->driveSelector()->GetSelectedDrive(), "c:\\");
    ASSERT_TRUE(page->driveSelector()->GetString(2).StartsWith("e:\\"));
    wxTEST_DIALOG(chooseDrive(*page, 2),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_CANCEL));
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "C:\\Program Files\\");
    EXPECT_EQ(page->driveSelector()->GetSelectedDrive(), "c:\\");
    EXPECT_EQ(editText(*page), "C:\\Program Files\\NewGame");
}

TEST_F(DirectoryPageTest, DoubleClickReplacesTypedTextWithTheOpenedFolder) {
    auto page = makePage("C:\\Program Files\\NewGame");
    page->pathEdit()->ChangeValue("X:\\typed");
    doubleClick(*page, 3); // Games, after Common Files
    EXPECT_EQ(editText(*page), "C:\\Program Files\\Games\\");
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "C:\\Program Files\\Games\\");
    page->pathEdit()->ChangeValue("X:\\typed again");
    chooseDrive(*page, 1);
    EXPECT_EQ(editText(*page), "d:\\Program Files\\Games\\");
}

TEST_F(DirectoryPageTest, EnterInTheListOpensButLeavesTheBoxAlone) {
    auto page = makePage("C:\\Program Files\\NewGame");
    page->folderList()->SetSelection(3);
    pressInList(*page, WXK_RETURN);
    wxTheApp->ProcessPendingEvents(); // the folder-changed notification
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "C:\\Program Files\\Games\\");
    EXPECT_EQ(editText(*page), "C:\\Program Files\\NewGame");
}

TEST_F(DirectoryPageTest, AcceptTakesTheTypedText) {
    auto page = makePage("C:\\Program Files\\NewGame");
    const int result = runPage(*page, [&] {
        page->pathEdit()->ChangeValue("D:\\Games\\Demo");
        clickButton(*page, wxID_OK);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(page->getChosenFolder(), "D:\\Games\\Demo");
}

TEST_F(DirectoryPageTest, OverlongPathIsRefusedAndThePageStaysOpen) {
    const std::string overlong = "C:\\" + std::string(300, 'a');
    auto page = makePage(overlong);
    EXPECT_EQ(editText(*page), overlong); // shown whole, not cut at 255
    bool stayedOpen = false;
    const int result = runPage(*page, [&] {
        wxTEST_DIALOG(clickButton(*page, wxID_OK),
                      ExpectMessage("Please enter no more than 255 characters.", wxID_OK));
        stayedOpen = stillOpen(*page);
        clickButton(*page, wxID_CANCEL);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(page->getChosenFolder(), overlong);
}

// Only a full path with a drive is taken; anything else would install relative to the
// installer's folder. The page says why and stays open.
TEST_F(DirectoryPageTest, PathWithoutADriveIsRefusedAndThePageStaysOpen) {
    auto page = makePage("C:\\Program Files\\NewGame");
    std::vector<std::string> stayedOpenFor;
    const int result = runPage(*page, [&] {
        for (const char* text : {"Games\\MH", "\\Games\\MH", "C:Games", "C:", "", "/home/x",
                                 "1:\\Games", " C:\\Games"}) {
            page->pathEdit()->ChangeValue(text);
            wxTEST_DIALOG(clickButton(*page, wxID_OK),
                          ExpectMessage(DirectoryPage::kFullPathMessage, wxID_OK));
            if (stillOpen(*page))
                stayedOpenFor.push_back(text);
        }
        page->pathEdit()->ChangeValue("d:\\Tools");
        clickButton(*page, wxID_OK);
    });
    EXPECT_EQ(stayedOpenFor.size(), 8u);
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(page->getChosenFolder(), "d:\\Tools");
}

// A device name opens the device on Windows: no folder of that name can be made or used, and a
// name with trailing dots or blanks is taken as Windows will name the folder.
TEST_F(DirectoryPageTest, DeviceNamesAreRefusedAndTrailingDotsTidied) {
    auto page = makePage("C:\\Games");
    int stayedOpen = 0;
    const int result = runPage(*page, [&] {
        const struct {
            const char* path;
            const char* message;
            const char* name;
        } refused[] = {{"C:\\Games\\NUL", DirectoryPage::kDeviceNameMessage, "NUL"},
                       {"C:\\aux.txt\\Games", DirectoryPage::kDeviceNameMessage, "aux.txt"},
                       {"C:\\Games\\Who?", DirectoryPage::kForbiddenCharacterMessage, "Who?"}};
        for (const auto& r : refused) {
            page->pathEdit()->ChangeValue(r.path);
            wxString expected = r.message;
            expected.Replace("%1", r.name);
            wxTEST_DIALOG(clickButton(*page, wxID_OK), ExpectMessage(expected, wxID_OK));
            stayedOpen += stillOpen(*page);
        }
        page->pathEdit()->ChangeValue("C:\\Games\\Harbour. ");
        clickButton(*page, wxID_OK);
    });
    EXPECT_EQ(stayedOpen, 3);
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(page->getChosenFolder(), "C:\\Games\\Harbour");
}

// The product's uninstaller removes the folder it was installed into: a drive's root or the
// person's home folder is refused, in the run's language, however it is typed, and the page stays
// open for another folder.
TEST_F(DirectoryPageTest, DriveRootsAndTheHomeFolderAreRefusedInTheRunsLanguage) {
    drives.makeFolders('d', "Users/me");
    const char* homeVariable = kTestsRunOnWindows ? "USERPROFILE" : "HOME";
    const std::string savedHome = std::getenv(homeVariable) ? std::getenv(homeVariable) : "";
    setenv(homeVariable,
           kTestsRunOnWindows ? std::string("D:\\Users\\me").c_str()
                              : (drives.folderOf('d') / "Users/me").string().c_str(),
           1);
    const struct {
        const char* languageId;
        const char* typed;
        const char* message;
    } refused[] = {
        {"0409", "C:\\",
         "C:\\ is the root of a drive: uninstalling the game later could remove everything on "
         "the drive.\nPlease choose a folder on it, such as C:\\Games."},
        {"0409", "d:\\Tools\\..", "d:\\ is the root of a drive: uninstalling the game later could "
                                "remove everything on the drive.\nPlease choose a folder on it, "
                                "such as d:\\Games."},
        {"0415", "D:\\", "D:\\ to katalog główny dysku: późniejsze odinstalowanie gry mogłoby "
                         "usunąć wszystko, co jest na dysku.\nWybierz katalog na tym dysku, na "
                         "przykład D:\\Gry."},
        {"0415", "C:\\.", "C:\\ to katalog główny dysku: późniejsze odinstalowanie gry mogłoby "
                          "usunąć wszystko, co jest na dysku.\nWybierz katalog na tym dysku, na "
                          "przykład C:\\Gry."},
        {"0409", "D:\\Users\\me\\", "D:\\Users\\me is your home folder: uninstalling the game "
                                  "later could remove your own files with it.\nPlease choose a "
                                  "folder inside it, such as D:\\Users\\me\\Games."},
        {"0415", "d:\\users\\ME", "d:\\users\\ME to Twój katalog domowy: późniejsze "
                               "odinstalowanie gry mogłoby usunąć razem z nią Twoje pliki.\n"
                               "Wybierz katalog wewnątrz niego, na przykład d:\\users\\ME\\Gry."},
    };
    auto page = makePage("C:\\Games");
    int stayedOpen = 0;
    const int result = runPage(*page, [&] {
        for (const auto& r : refused) {
            words::useLanguage(r.languageId);
            page->pathEdit()->ChangeValue(wxString::FromUTF8(r.typed));
            wxTEST_DIALOG(clickButton(*page, wxID_OK),
                          ExpectMessage(wxString::FromUTF8(r.message), wxID_OK));
            stayedOpen += stillOpen(*page);
        }
        page->pathEdit()->ChangeValue("D:\\Users\\me\\Games");
        clickButton(*page, wxID_OK);
    });
    words::useLanguage("");
    setenv(homeVariable, savedHome.c_str(), 1);
    EXPECT_EQ(stayedOpen, 6);
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(page->getChosenFolder(), "D:\\Users\\me\\Games");
}

TEST_F(DirectoryPageTest, BackAndEscapeInTheListCancelWithoutReadingTheBox) {
    auto back = makePage("C:\\Games");
    EXPECT_EQ(runPage(*back,
                      [&] {
                          back->pathEdit()->ChangeValue("D:\\Other");
                          clickButton(*back, wxID_CANCEL);
                      }),
              wxID_CANCEL);
    EXPECT_EQ(back->getChosenFolder(), "C:\\Games");

    auto escape = makePage("C:\\Games");
    EXPECT_EQ(runPage(*escape,
                      [&] {
                          escape->pathEdit()->ChangeValue("D:\\Other");
                          escape->folderList()->SetFocus();
                          pressInList(*escape, WXK_ESCAPE);
                      }),
              wxID_CANCEL);
    EXPECT_EQ(escape->getChosenFolder(), "C:\\Games");
}

} // namespace

// Real key presses through the display: the list, not the dialog, must see Tab, Enter and
// Escape first.
class DirectoryPageKeysTest : public DirectoryPageTest {
protected:
    // Runs the page, focuses the list once it is on the screen, presses the key and then
    // runs `check`; the page ends with `endWith` unless the key ended it.
    int pressOnShownPage(DirectoryPage& page, int key, std::function<void()> check,
                         int endWith = wxID_ABORT) {
        return runPage(page, [&page, key, check, endWith] {
            wxWindow* list = page.folderList();
            list->SetFocus();
            wxMilliSleep(200);
            wxYield();
            list->SetFocus();
            wxUIActionSimulator().Char(key);
            for (int i = 0; i < 50 && stillOpen(page); ++i) {
                wxMilliSleep(10);
                wxYield();
            }
            if (stillOpen(page)) {
                check();
                page.EndModal(endWith);
            }
        });
    }
};

TEST_F(DirectoryPageKeysTest, EscapeInTheListCancelsThePage) {
    auto page = makePage("C:\\Program Files\\");
    EXPECT_EQ(pressOnShownPage(*page, WXK_ESCAPE, [] {}), wxID_CANCEL);
}

TEST_F(DirectoryPageKeysTest, EnterInTheListOpensTheSelectedFolder) {
    auto page = makePage("C:\\Program Files\\");
    page->folderList()->SetSelection(3);
    std::string shown;
    std::string edit;
    pressOnShownPage(*page, WXK_RETURN, [&] {
        shown = page->folderList()->GetCurrentPath();
        edit = editText(*page);
    });
    EXPECT_EQ(shown, "C:\\Program Files\\Games\\");
    EXPECT_EQ(edit, "C:\\Program Files\\");
}

TEST_F(DirectoryPageKeysTest, TabInTheListMovesTheFocusOn) {
    auto page = makePage("C:\\Program Files\\");
    bool listLostFocus = false;
    pressOnShownPage(*page, WXK_TAB,
                     [&] { listLostFocus = wxWindow::FindFocus() != page->folderList(); });
    EXPECT_TRUE(listLostFocus);
}

TEST_F(DirectoryPageKeysTest, AcceptButtonHoldsTheFocusWhenThePageOpens) {
    auto page = makePage("C:\\Program Files\\");
    wxWindow* focused = nullptr;
    runPage(*page, [&] {
        wxMilliSleep(100);
        wxYield();
        focused = wxWindow::FindFocus();
        page->EndModal(wxID_CANCEL);
    });
    EXPECT_EQ(focused, page->FindWindow(wxID_OK));
}

TEST_F(DirectoryPageTest, ListShowingNoDriveLeavesTheLetterOfThePathAlone) {
    std::unique_ptr<DirectoryPage> page;
    {
        GTestDialogHook noMessageBoxes(__FILE__, __LINE__);
        page = makePage("e:\\Games");
    }
    EXPECT_EQ(page->folderList()->GetItemCount(), 0u);
    // A drive without a medium has no volume, so no label either.
    const int noMedium = page->driveSelector()->FindString(
        TestMachine::presentsDrivesWithoutMedium() ? "e:\\" : "e:\\ ");
    wxTEST_DIALOG(chooseDrive(*page, noMedium),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_CANCEL),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\Games"), wxID_CANCEL));
    EXPECT_EQ(page->folderList()->GetCurrentPath(), "\\");
    EXPECT_EQ(editText(*page), "e:\\Games"); // not "\\:\\Games"
}
