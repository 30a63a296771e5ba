#include "controls/DriveComboBox.h"
#include "controls/ControlImages.h"
#include "controls/DriveKind.h"
#include "controls/ItemPixels.h"
#include "controls/TestDrives.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/settings.h>

#include <vector>

namespace {

class DriveComboBoxTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('a', "removable", "BOOT");
        drives.addEmpty('b', "removable");
        drives.add('c', "fixed", "SYSTEM");
        drives.add('d', "cdrom", "GAME_CD");
        drives.addEmpty('e', "removable");
        drives.add('f', "remote", "Net Share");
        drives.add('g', "ramdisk", "");
        if (TestMachine::presentsCompressedDrives())
            drives.add('h', "fixed", "Packed", true);
        drives.add('k', "removable", "Stick");
        drives.install();
    }

    DriveComboBox* makeCombo(unsigned options) {
        auto* combo = new DriveComboBox;
        EXPECT_TRUE(combo->Create(&parent, 1007, wxRect(0, 0, 250, 100), options));
        return combo;
    }

    TestDrives drives;
    wxDialog parent{nullptr, wxID_ANY, "drives"};
};

TEST_F(DriveComboBoxTest, OffersTheInstallableDrivesInLetterOrder) {
    auto* combo = makeCombo(0x7);
    struct Offered {
        const char* text;
        int kind;
    };
    // A drive without a medium has no volume, so no label either.
    const char* noMedium = TestMachine::presentsDrivesWithoutMedium() ? "e:\\" : "e:\\ ";
    std::vector<Offered> expected = {
        {"c:\\ system", kDriveHardDisk},
        {noMedium, kDriveRemovable},
        {"f:\\ net share", kDriveNetwork},
        {"g:\\ ", kDriveRamDisk},
    };
    if (TestMachine::presentsCompressedDrives())
        expected.push_back({"h:\\ packed", kDriveCompressed});
    expected.push_back({"k:\\ stick", kDriveRemovable});
    ASSERT_EQ(combo->GetCount(), expected.size());
    for (unsigned i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(combo->GetString(i).utf8_string(), expected[i].text) << i;
        EXPECT_EQ(combo->GetDriveKind(i), expected[i].kind) << i;
    }
}

TEST_F(DriveComboBoxTest, SelectsByPathPrefixWithoutRegardToCase) {
    auto* combo = makeCombo(0x7);
    combo->SelectDriveOfPath("F:\\Games\\");
    EXPECT_EQ(combo->GetSelection(), 2);
    EXPECT_EQ(combo->GetSelectedDrive(), "f:\\");
    combo->SelectDriveOfPath("D:\\Setup\\"); // not offered: the selection stays
    EXPECT_EQ(combo->GetSelection(), 2);
    combo->SelectDriveOfPath("c:\\");
    EXPECT_EQ(combo->GetSelectedDrive(), "c:\\");
    combo->SetSelection(wxNOT_FOUND);
    EXPECT_EQ(combo->GetSelectedDrive(), "");
}

TEST_F(DriveComboBoxTest, StartsOnTheCurrentFolderDrive) {
    drives.makeFolders('k', "Games");
    // By its drive: on Windows the folder's own path names the drive that holds the test's folders.
    CurrentFolderScope current(platform::toNativePath("K:\\Games"));
    auto* combo = makeCombo(0x7);
    EXPECT_EQ(combo->GetSelectedDrive(), "k:\\");
}

TEST_F(DriveComboBoxTest, ItemsAreAtLeastSixteenPixelsHigh) {
    parent.SetFont(wxFont(wxFontInfo(3).FaceName("Liberation Sans")));
    EXPECT_EQ(makeCombo(0x7)->GetItemMetrics().itemHeight, 16);
    parent.SetFont(wxFont(wxFontInfo(24).FaceName("Liberation Sans")));
    const ItemMetrics large = makeCombo(0x7)->GetItemMetrics();
    EXPECT_GT(large.itemHeight, 16);
    EXPECT_EQ(large.itemHeight, large.textHeight);
}

// The picture that an item should be: window colour (or the selection's colours), the icon, the
// text, both centred in the item's height.
wxImage expectedItem(wxSize size, const ItemMetrics& metrics, const wxFont& font,
                     const wxBitmap* icon, const wxString& text, int textX, bool selected = false) {
    return drawToImage(size, [&](wxDC& dc) {
        dc.SetBrush(wxBrush(
            wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW)));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(wxRect(size));
        if (icon)
            dc.DrawBitmap(*icon, 3, (metrics.itemHeight - 16) / 2, true);
        dc.SetFont(font);
        dc.SetTextForeground(wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                                  : wxSYS_COLOUR_WINDOWTEXT));
        dc.DrawText(text, textX, (metrics.itemHeight - metrics.textHeight) / 2);
    });
}

TEST_F(DriveComboBoxTest, IconAtThreeAndTextAtTwentyThreeOrTextAtThreeWithoutIcons) {
    const struct {
        unsigned options;
        int item;
        const wxBitmap* icon;
        int textX;
        bool selected;
        int pointSize; // 0: the test's font; 3: a text lower than the item, centred in it
    } cases[] = {
        {0x7, 0, &controlImage(ControlImage::DriveHardDisk), 23, false, 0},
        {0x4, 1, &controlImage(ControlImage::DriveRemovable), 23, false, 0},
        {0x3, 0, nullptr, 3, false, 0},
        {0x7, 1, &controlImage(ControlImage::DriveRemovable), 23, true, 0},
        {0x7, 0, &controlImage(ControlImage::DriveHardDisk), 23, false, 3},
    };
    const wxFont testFont = parent.GetFont();
    for (const auto& c : cases) {
        parent.SetFont(c.pointSize ? wxFont(wxFontInfo(c.pointSize).FaceName("Liberation Sans"))
                                   : testFont);
        auto* combo = makeCombo(c.options);
        const ItemMetrics metrics = combo->GetItemMetrics();
        const wxSize size(200, metrics.itemHeight);
        const wxImage drawn = drawToImage(
            size, [&](wxDC& dc) { combo->DrawItem(dc, wxRect(size), c.item, c.selected, false); });
        EXPECT_TRUE(samePixels(drawn, expectedItem(size, metrics, parent.GetFont(), c.icon,
                                                   combo->GetString(c.item), c.textX, c.selected)))
            << "options " << c.options << " item " << c.item << " selected " << c.selected
            << " points " << c.pointSize;
    }
    parent.SetFont(testFont);
}

TEST_F(DriveComboBoxTest, ACompressedDriveHasItsOwnKindAndIcon) {
    if (!TestMachine::presentsCompressedDrives())
        GTEST_SKIP() << "Wine presents no volume with a compressed file system";
    auto* combo = makeCombo(0x4);
    const int item = combo->FindString("h:\\ packed");
    ASSERT_NE(item, wxNOT_FOUND);
    EXPECT_EQ(combo->GetDriveKind(item), kDriveCompressed);
    const ItemMetrics metrics = combo->GetItemMetrics();
    const wxSize size(200, metrics.itemHeight);
    const wxImage drawn =
        drawToImage(size, [&](wxDC& dc) { combo->DrawItem(dc, wxRect(size), item, false, false); });
    EXPECT_TRUE(samePixels(drawn, expectedItem(size, metrics, parent.GetFont(),
                                               &controlImage(ControlImage::DriveCompressed),
                                               "h:\\ packed", 23)));
}

} // namespace
