// A screen reader reads the owner-drawn controls through the system's accessibility interface
// entry by entry, as they are drawn, with the selected entry: after each step of a table, what
// the interface answers must be what the control shows.
#include "support/ControlReader.h"
#include "app/MessageBox.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/TestDrives.h"
#include "ui/Accessibility.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>

#include <functional>

namespace {

class ControlReaderTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('c', "fixed", "SYSTEM");
        drives.add('d', "fixed", "DATA");
        drives.addEmpty('e', "removable");
        for (const char* folder : {"Program Files/Games", "Program Files/Common Files", "Windows"})
            drives.makeFolders('c', folder);
        drives.makeFolders('d', "Music");
        drives.install();
    }

    TestDrives drives;
    wxDialog parent{nullptr, wxID_ANY, "reader"};
};

std::vector<std::string> shownEntries(const DirectoryListBox& list) {
    std::vector<std::string> names;
    for (const FolderItem& item : list.GetTree().items())
        names.push_back(item.name);
    return names;
}

std::vector<std::string> shownEntries(const DriveComboBox& combo) {
    std::vector<std::string> names;
    for (unsigned int index = 0; index < combo.GetCount(); ++index)
        names.push_back(combo.GetString(index).utf8_string());
    return names;
}

template <typename Control> void expectReadAsShown(Control& control, const std::string& step) {
    const ReaderView view = readControl(control);
    EXPECT_EQ(view.entries, shownEntries(control)) << step;
    EXPECT_EQ(view.selected, control.GetSelection()) << step;
}

TEST_F(ControlReaderTest, TheFolderListIsReadAsAListOfItsEntriesAndTheSelectedOne) {
    auto* list = new DirectoryListBox;
    ASSERT_TRUE(list->Create(&parent, 1010, wxRect(0, 0, 300, 200), "C:\\Program Files\\"));
    EXPECT_EQ(readControl(*list).role, "list");
    const struct {
        const char* step;
        std::function<void()> act;
        std::size_t count;
    } steps[] = {
        {"as created", [] {}, 4},
        {"a subfolder selected", [&] { list->SetSelection(3); }, 4},
        {"the subfolder opened", [&] { ASSERT_TRUE(list->OpenSelected()); }, 3},
        {"the first level selected", [&] { list->SetSelection(0); }, 3},
        {"another drive shown", [&] { list->OpenPath("d:\\", true); }, 2},
        {"a drive without a medium", [&] { (void)list->FillFromPath("e:\\"); }, 0},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(readControl(*list).entries.size(), step.count) << step.step;
        expectReadAsShown(*list, step.step);
    }
}

TEST_F(ControlReaderTest, TheDriveSelectorIsReadAsAComboBoxOfItsDrivesAndTheChosenOne) {
    CurrentFolderScope current(drives.folderOf('c'));
    auto* combo = new DriveComboBox;
    ASSERT_TRUE(combo->Create(&parent, 1007, wxRect(0, 0, 300, 200), 0x7));
    EXPECT_EQ(readControl(*combo).role, "combo box");
    const struct {
        const char* step;
        std::function<void()> act;
        const char* chosen;
    } steps[] = {
        {"as created", [] {}, "c:\\ system"},
        {"a path on d: given", [&] { combo->SelectDriveOfPath("D:\\Music\\"); }, "d:\\ data"},
        {"a drive without a medium", [&] { combo->SelectDriveOfPath("e:\\"); }, "e:\\"},
    };
    for (const auto& step : steps) {
        step.act();
        const ReaderView view = readControl(*combo);
        ASSERT_GE(view.selected, 0) << step.step;
        ASSERT_LT(view.selected, static_cast<int>(view.entries.size())) << step.step;
        // A drive without a medium may still report an empty label (Wine's do): "e:\ ".
        EXPECT_EQ(view.entries[view.selected].rfind(step.chosen, 0), 0u)
            << step.step << ": " << view.entries[view.selected];
        expectReadAsShown(*combo, step.step);
    }
}

// What a reader speaks for the windows that are no lists: the choices with their frame's text
// after their own, a message box by its caption rather than by its kind.
TEST_F(ControlReaderTest, ChoicesAreReadWithTheirFrameAndABoxByItsCaption) {
    auto* frame =
        new wxStaticBox(&parent, wxID_ANY, "Choose the &install type:", {10, 10}, {200, 120});
    std::vector<wxWindow*> choices;
    for (const char* label : {"Minimal", "Standard", "Full"})
        choices.push_back(new wxRadioButton(&parent, wxID_ANY, label,
                                            {20, 30 + 30 * static_cast<int>(choices.size())},
                                            {150, 20}, choices.empty() ? wxRB_GROUP : 0));
    accessibility::groupChoices(*frame, choices);
    // The page names its frame once the script's texts are in: the choices follow.
    frame->SetLabel("Choose the install type:");
    accessibility::nameMessageBoxesByCaption();
    const struct {
        const char* what;
        std::function<ReaderView()> read;
        const char* name;
        const char* readWith;
    } windows[] = {
        {"the first choice", [&] { return readControl(*choices[0]); }, "Minimal",
         "Choose the install type:"},
        {"the second choice", [&] { return readControl(*choices[1]); }, "Standard",
         "Choose the install type:"},
        {"the last choice", [&] { return readControl(*choices[2]); }, "Full",
         "Choose the install type:"},
        {"an error box",
         [] {
             return readMessageBox([] {
                 showMessageBox(nullptr, "The copy failed.", "Moonrise Harbour",
                                wxOK | wxICON_ERROR);
             });
         },
         "Moonrise Harbour", ""},
    };
    for (const auto& window : windows) {
        const ReaderView view = window.read();
        EXPECT_EQ(view.name, window.name) << window.what;
        EXPECT_EQ(view.readWith, window.readWith) << window.what;
    }
}

} // namespace
