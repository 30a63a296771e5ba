#include "controls/DirectoryListBox.h"
#include "controls/ControlImages.h"
#include "controls/ItemPixels.h"
#include "controls/OwnerDrawnItem.h"
#include "controls/TestDrives.h"
#include "pages/PageRunner.h"
#include "support/DialogHook.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/settings.h>
#include <wx/utils.h>

namespace {

class DirectoryListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('c', "fixed", "SYSTEM");
        drives.add('d', "fixed", "DATA");
        drives.addEmpty('e', "removable");
        drives.addEmpty('f', "removable");
        for (const char* folder : {"Program Files/Games", "Program Files/Common Files", "Windows"})
            drives.makeFolders('c', folder);
        drives.install();
        parent.Bind(EVT_FOLDER_CHANGED, [this](wxCommandEvent& event) {
            EXPECT_EQ(event.GetId(), 1010);
            EXPECT_EQ(event.GetInt(), kFolderChangedCode);
            ++notifications;
        });
    }

    DirectoryListBox* makeList(const std::string& path) {
        auto* list = new DirectoryListBox;
        EXPECT_TRUE(list->Create(&parent, 1010, wxRect(0, 0, 300, 200), path));
        return list;
    }

    int pendingNotifications() {
        wxTheApp->ProcessPendingEvents();
        const int count = notifications;
        notifications = 0;
        return count;
    }

    TestDrives drives;
    wxDialog parent{nullptr, wxID_ANY, "folders"};
    int notifications = 0;
};

TEST_F(DirectoryListBoxTest, CreationShowsThePathAndNotifiesTheParentOnce) {
    auto* list = makeList("C:\\Program Files\\NewGame");
    EXPECT_EQ(list->GetItemCount(), 4u);
    EXPECT_EQ(list->GetCurrentPath(), "C:\\Program Files\\");
    EXPECT_EQ(list->GetSelectedPath(), "");
    EXPECT_EQ(pendingNotifications(), 1);
}

TEST_F(DirectoryListBoxTest, EmptyInitialPathShowsTheCurrentFolder) {
    CurrentFolderScope current(drives.folderOf('c') / "Program Files");
    auto* list = makeList("");
    EXPECT_EQ(wxString(list->GetCurrentPath()).Lower(), "c:\\program files\\");
    EXPECT_EQ(list->GetItemCount(), 4u);
}

TEST_F(DirectoryListBoxTest, FailedFirstFillingIsNotReportedAndLeavesTheListEmpty) {
    GTestDialogHook noMessageBoxes(__FILE__, __LINE__);
    auto* list = makeList("e:\\");
    EXPECT_EQ(list->GetItemCount(), 0u);
    EXPECT_EQ(list->GetCurrentPath(), "\\");
    EXPECT_EQ(list->GetSelectedPath(), "");
    EXPECT_EQ(pendingNotifications(), 1);
}

TEST_F(DirectoryListBoxTest, OpeningASubfolderSelectsItsLevelAndNotifies) {
    auto* list = makeList("C:\\Program Files\\");
    (void)pendingNotifications();
    list->SetSelection(3); // Games, after Common Files
    EXPECT_EQ(list->GetSelectedPath(), "C:\\Program Files\\Games\\");
    ASSERT_TRUE(list->OpenSelected());
    EXPECT_EQ(list->GetCurrentPath(), "C:\\Program Files\\Games\\");
    EXPECT_EQ(list->GetSelection(), 2);
    EXPECT_EQ(list->GetSelectedPath(), "C:\\Program Files\\Games\\");
    EXPECT_EQ(pendingNotifications(), 1);
}

TEST_F(DirectoryListBoxTest, OpeningALevelShowsThatLevelAgain) {
    auto* list = makeList("C:\\Program Files\\Games");
    list->SetSelection(1);
    ASSERT_TRUE(list->OpenSelected());
    EXPECT_EQ(list->GetCurrentPath(), "C:\\Program Files\\");
    EXPECT_EQ(list->GetItemCount(), 4u);
    EXPECT_EQ(list->GetSelection(), 1);
}

TEST_F(DirectoryListBoxTest, OpeningWithNothingSelectedDoesNothing) {
    auto* list = makeList("C:\\Program Files\\");
    (void)pendingNotifications();
    EXPECT_FALSE(list->OpenSelected());
    EXPECT_EQ(pendingNotifications(), 0);
}

TEST_F(DirectoryListBoxTest, CancelFallsBackToThePreviousPath) {
    auto* list = makeList("C:\\Program Files\\");
    wxTEST_DIALOG(list->OpenPath("e:\\", true),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_CANCEL));
    EXPECT_EQ(list->GetCurrentPath(), "C:\\Program Files\\");
    EXPECT_EQ(list->GetTree().storedPath(), "C:\\Program Files\\");
}

TEST_F(DirectoryListBoxTest, RetryTriesTheSamePathAgain) {
    auto* list = makeList("C:\\");
    wxTEST_DIALOG(list->OpenPath("e:\\", true),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_OK),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_CANCEL));
    EXPECT_EQ(list->GetCurrentPath(), "C:\\");
}

TEST_F(DirectoryListBoxTest, WhenThePreviousPathFailsTooTheListStaysEmpty) {
    DirectoryListBox* list = nullptr;
    {
        GTestDialogHook noMessageBoxes(__FILE__, __LINE__);
        list = makeList("f:\\");
    }
    wxTEST_DIALOG(list->OpenPath("e:\\", true),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("e:\\"), wxID_CANCEL),
                  ExpectMessage(DirectoryListBox::FolderErrorMessage("f:\\"), wxID_CANCEL));
    EXPECT_EQ(list->GetItemCount(), 0u);
    EXPECT_EQ(list->GetTree().storedPath(), "f:\\");
}

TEST_F(DirectoryListBoxTest, EnterOpensTabMovesOnEscapeCancelsTheParent) {
    auto* list = makeList("C:\\Program Files\\");
    (void)pendingNotifications();
    int cancels = 0;
    parent.Bind(
        wxEVT_BUTTON, [&](wxCommandEvent&) { ++cancels; }, wxID_CANCEL);
    auto press = [&](int key) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(list);
        list->GetEventHandler()->ProcessEvent(event);
    };
    // Tab, forward or backward, hands the focus on to the next control: the list keeps no key
    // the dialog needs.
    auto* next = new wxButton(&parent, wxID_ANY, "Next");
    parent.Show();
    for (const bool shift : {false, true}) {
        waitUntil([&] {
            list->SetFocus();
            return wxWindow::FindFocus() == list;
        });
        wxKeyEvent tab(wxEVT_CHAR_HOOK);
        tab.m_keyCode = WXK_TAB;
        tab.m_shiftDown = shift;
        tab.SetEventObject(list);
        list->GetEventHandler()->ProcessEvent(tab);
        EXPECT_TRUE(waitUntil([&] { return wxWindow::FindFocus() == next; }))
            << (shift ? "Shift+Tab" : "Tab");
    }
    list->SetSelection(3);
    press(WXK_RETURN);
    EXPECT_EQ(list->GetCurrentPath(), "C:\\Program Files\\Games\\");
    EXPECT_EQ(pendingNotifications(), 1);
    press(WXK_ESCAPE);
    EXPECT_EQ(cancels, 0); // posted, not sent
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(cancels, 1);
}

// The picture that an entry should be: window colour (or the selection's colours), the icon, the
// text, both centred in the entry's height.
wxImage expectedEntry(wxSize size, const ItemMetrics& metrics, const wxFont& font,
                      const wxBitmap& icon, int iconX, const wxString& text, int textX,
                      bool selected = false) {
    return drawToImage(size, [&](wxDC& dc) {
        dc.SetBrush(wxBrush(
            wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(wxRect(size));
        dc.DrawBitmap(icon, iconX, (metrics.itemHeight - icon.GetHeight()) / 2, true);
        dc.SetFont(font);
        dc.SetTextForeground(wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                  : wxSYS_COLOUR_WINDOWTEXT));
        dc.DrawText(text, textX, (metrics.itemHeight - metrics.textHeight) / 2);
    });
}

TEST_F(DirectoryListBoxTest, ItemsAreAtLeastSixteenPixelsHigh) {
    parent.SetFont(wxFont(wxFontInfo(3).FaceName("Liberation Sans")));
    auto* small = makeList("C:\\");
    EXPECT_EQ(small->GetItemMetrics().itemHeight, 16);
    EXPECT_LT(small->GetItemMetrics().textHeight, 16);
    // A text lower than the entry is centred in it, as the icon is.
    const wxSize size(200, 16);
    const wxImage drawn =
        drawToImage(size, [&](wxDC& dc) { small->DrawItem(dc, wxRect(size), 0, false, false); });
    EXPECT_TRUE(
        samePixels(drawn, expectedEntry(size, small->GetItemMetrics(), parent.GetFont(),
                                        controlImage(ControlImage::FolderOpen), 3, "C:\\", 23)));
    parent.SetFont(wxFont(wxFontInfo(24).FaceName("Liberation Sans")));
    auto* large = makeList("C:\\");
    EXPECT_EQ(large->GetItemMetrics().itemHeight, large->GetItemMetrics().textHeight);
}

// At a larger text size (the font's points drawn in more pixels) the icons and their places are
// twice as large: the icon's pixels doubled.
TEST_F(DirectoryListBoxTest, ALargerTextSizeDoublesTheIconsAndTheirPlaces) {
    const struct {
        int textHeight, pointSize, scale;
    } cases[] = {{12, 8, 1},  {13, 8, 1},  {16, 8, 1},  {17, 8, 2}, {19, 8, 2},
                 {17, 10, 1}, {25, 10, 2}, {37, 24, 1}, {0, 0, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(iconScaleFor(c.textHeight, c.pointSize), c.scale)
            << c.textHeight << " pixels of " << c.pointSize << " points";
    const wxBitmap& doubled = iconAtScale(controlImage(ControlImage::FolderOpen), 2);
    ASSERT_EQ(doubled.GetSize(), wxSize(32, 32));
    const wxImage one = controlImage(ControlImage::FolderOpen).ConvertToImage();
    const wxImage two = doubled.ConvertToImage();
    EXPECT_EQ(two.GetRed(31, 31), one.GetRed(15, 15));
    EXPECT_EQ(two.GetBlue(14, 9), one.GetBlue(7, 4));
    ItemMetrics metrics = measureItemMetrics(parent, parent.GetFont());
    metrics.scale = 2;
    metrics.itemHeight = std::max(metrics.textHeight, 32);
    ItemLook look;
    look.icon = &controlImage(ControlImage::FolderOpen);
    look.text = "C:\\";
    const wxSize size(300, metrics.itemHeight);
    const wxImage drawn = drawToImage(size, [&](wxDC& dc) {
        drawOwnerDrawnItem(dc, wxRect(size), parent.GetFont(), metrics, look);
    });
    EXPECT_TRUE(
        samePixels(drawn, expectedEntry(size, metrics, parent.GetFont(), doubled, 6, "C:\\", 46)));
}

TEST_F(DirectoryListBoxTest, ThirdLevelSubfolderHasItsIconAt33AndItsTextAt53) {
    drives.makeFolders('c', "Program Files/Games/Saves");
    auto* list = makeList("C:\\Program Files\\Games\\");
    ASSERT_EQ(list->GetItemCount(), 4u);
    const ItemMetrics metrics = list->GetItemMetrics();
    const wxSize size(200, metrics.itemHeight);
    const wxImage drawn =
        drawToImage(size, [&](wxDC& dc) { list->DrawItem(dc, wxRect(size), 3, false, false); });
    const wxImage expected = expectedEntry(
        size, metrics, parent.GetFont(), controlImage(ControlImage::FolderClosed), 33, "Saves", 53);
    EXPECT_TRUE(samePixels(drawn, expected));

    const wxImage level =
        drawToImage(size, [&](wxDC& dc) { list->DrawItem(dc, wxRect(size), 1, false, false); });
    EXPECT_TRUE(samePixels(level, expectedEntry(size, metrics, parent.GetFont(),
                                                controlImage(ControlImage::FolderOpen), 13,
                                                "Program Files\\", 33)));
    // The selected entry in the selection's colours.
    const wxImage selected =
        drawToImage(size, [&](wxDC& dc) { list->DrawItem(dc, wxRect(size), 3, true, false); });
    EXPECT_TRUE(samePixels(selected, expectedEntry(size, metrics, parent.GetFont(),
                                                   controlImage(ControlImage::FolderClosed), 33,
                                                   "Saves", 53, true)));
}

TEST_F(DirectoryListBoxTest, FocusedEntryHasACheckerboardFrame) {
    auto* list = makeList("C:\\");
    const wxSize size(100, list->GetItemMetrics().itemHeight);
    const wxImage drawn =
        drawToImage(size, [&](wxDC& dc) { list->DrawItem(dc, wxRect(size), 0, true, true); });
    const wxColour first(drawn.GetRed(0, 0), drawn.GetGreen(0, 0), drawn.GetBlue(0, 0));
    const wxColour second(drawn.GetRed(1, 0), drawn.GetGreen(1, 0), drawn.GetBlue(1, 0));
    const wxColour below(drawn.GetRed(0, 1), drawn.GetGreen(0, 1), drawn.GetBlue(0, 1));
    EXPECT_TRUE((first == *wxBLACK && second == *wxCYAN) ||
                (first == *wxCYAN && second == *wxBLACK));
    EXPECT_EQ(second, below);
    // The frame shows where the keys act from the moment the list has the focus, before any
    // entry is selected.
    EXPECT_EQ(list->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(list->focusedEntry(), 0);
    list->SetSelection(1);
    EXPECT_EQ(list->focusedEntry(), 1);
}

} // namespace
