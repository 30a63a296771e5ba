// A Windows screen reader follows the owner-drawn lists by the events the system passes on
// (a WinEvent hook, as a reader sets one): each key that moves through a list must tell it of the
// new entry, and the entry's name read from the event's own object must be the entry shown.
// Prints what a reader is told for each key.
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "controls/TestDrives.h"
#include "support/win32/AccessibleText.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/uiaction.h>

#include <windows.h>

#include <oleacc.h>

#include <iostream>

namespace {

struct ToldEvent {
    DWORD kind;
    HWND window;
    LONG child;        // the entry (1..n), or CHILDID_SELF
    std::string entry; // the name read from the event's object
};

std::vector<ToldEvent>& told() {
    static std::vector<ToldEvent> events;
    return events;
}

// As a reader does: the event's object and child; for the control itself, the entry it says
// has the focus, or for a new value the value.
void CALLBACK onEvent(HWINEVENTHOOK, DWORD kind, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
    if (object != OBJID_CLIENT || window == nullptr)
        return;
    IAccessible* accessible = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (AccessibleObjectFromEvent(window, object, child, &accessible, &which) != S_OK)
        return;
    if (kind == EVENT_OBJECT_VALUECHANGE) {
        told().push_back({kind, window, CHILDID_SELF,
                          accessibleText(accessible, which, &IAccessible::get_accValue)});
        accessible->Release();
        return;
    }
    if (which.vt == VT_I4 && which.lVal == CHILDID_SELF) {
        VARIANT focus;
        VariantInit(&focus);
        if (accessible->get_accFocus(&focus) == S_OK && focus.vt == VT_I4)
            which.lVal = focus.lVal;
        VariantClear(&focus);
    }
    told().push_back({kind, window, which.vt == VT_I4 ? which.lVal : CHILDID_SELF,
                      accessibleText(accessible, which, &IAccessible::get_accName)});
    VariantClear(&which);
    accessible->Release();
}

const char* kindName(DWORD kind) {
    switch (kind) {
    case EVENT_OBJECT_FOCUS:
        return "focus";
    case EVENT_OBJECT_SELECTION:
        return "selection";
    case EVENT_OBJECT_STATECHANGE:
        return "state";
    case EVENT_OBJECT_NAMECHANGE:
        return "name";
    case EVENT_OBJECT_VALUECHANGE:
        return "value";
    case EVENT_OBJECT_REORDER:
        return "reorder";
    default:
        return "other";
    }
}

class ReaderEventsTest : public testing::Test {
protected:
    void SetUp() override {
        drives.add('d', "fixed", "DATA");
        drives.add('e', "fixed", "GAMES");
        drives.addEmpty('f', "removable");
        for (const char* folder : {"Games/Moonrise", "Music", "Tools"})
            drives.makeFolders('d', folder);
        drives.install();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, onEvent,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }

    void TearDown() override {
        if (hook)
            UnhookWinEvent(hook);
    }

    TestDrives drives;
    wxDialog parent{nullptr, wxID_ANY, "reader events", wxDefaultPosition, wxSize(400, 320)};
    HWINEVENTHOOK hook = nullptr;
};

bool pumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 300; ++i) {
        wxYield();
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

// The rest of what a key tells, for the report.
void pumpFor(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        wxYield();
        Sleep(10);
    }
}

void report(const char* key) {
    std::cout << "  " << key << ":";
    for (const ToldEvent& event : told())
        std::cout << " " << kindName(event.kind) << "(" << event.child << ") \"" << event.entry
                  << "\";";
    std::cout << (told().empty() ? " (nothing)\n" : "\n");
}

// What a reader was told on the control's window of the kind: the names (values) read.
std::vector<std::string> toldOn(wxWindow& control, DWORD kind, LONG child) {
    std::vector<std::string> texts;
    for (const ToldEvent& event : told())
        if (event.kind == kind && event.window == control.GetHandle() && event.child == child)
            texts.push_back(event.entry);
    return texts;
}

// One of the walked controls: the entry it shows selected, and whether a reader also reads it
// by its value (a closed combo box).
struct Walked {
    wxWindow* control;
    std::function<int()> selected;
    std::function<std::string()> shown;
    bool readByValue;
};

TEST_F(ReaderEventsTest, EveryKeyTellsAReaderOfTheNewEntryByName) {
    if (!hook)
        GTEST_SKIP() << "the system took no WinEvent hook";
    CurrentFolderScope current(drives.folderOf('d'));
    auto* combo = new DriveComboBox;
    ASSERT_TRUE(combo->Create(&parent, 1007, wxRect(10, 10, 300, 200), 0x7));
    auto* list = new DirectoryListBox;
    ASSERT_TRUE(list->Create(&parent, 1010, wxRect(10, 60, 300, 200), "d:\\"));
    // The keys come as a person's do, from the system's input to the window in front, and only
    // an event loop that runs hands them on.
    wxGUIEventLoop loop;
    wxEventLoopActivator running(&loop);
    parent.Show();
    ASSERT_TRUE(pumpUntil([&] {
        combo->SetFocus();
        return wxWindow::FindFocus() == combo;
    })) << "the drive selector never had the focus";
    combo->SelectDriveOfPath("d:\\");
    list->SetSelection(0); // as the page leaves it: the drive's level
    pumpFor(300);
    const Walked driveSelector{
        combo, [&] { return combo->GetSelection(); },
        [&] { return combo->GetString(combo->GetSelection()).utf8_string(); }, true};
    const Walked folderList{list, [&] { return list->GetSelection(); },
                            [&] { return list->GetTree().items()[list->GetSelection()].name; },
                            false};
    const struct {
        int key;
        const char* keyName;
        const Walked& walked;
        const char* expected; // how the entry told of starts: the test machine's drive or folder
    } walk[] = {
        {WXK_DOWN, "Down", driveSelector, "e:\\ games"},
        {WXK_DOWN, "Down", driveSelector, "f:\\"},
        {WXK_UP, "Up", driveSelector, "e:\\ games"},
        {WXK_UP, "Up", driveSelector, "d:\\ data"},
        {WXK_TAB, "Tab", folderList, "d:\\"},
        {WXK_DOWN, "Down", folderList, "Games"},
        {WXK_END, "End", folderList, "Tools"},
        {WXK_HOME, "Home", folderList, "d:\\"},
        {WXK_END, "End", folderList, "Tools"},
        // The opened folder's level, second after the drive's.
        {WXK_RETURN, "Return", folderList, "Tools"},
    };
    std::cout << "What a reader is told, key by key (event(entry) \"name read from it\"):\n";
    for (const auto& step : walk) {
        const Walked& walked = step.walked;
        // Tab only moves the focus: the reader asks the list which entry has it.
        const bool moves = step.key != WXK_TAB;
        told().clear();
        wxUIActionSimulator().Char(step.key);
        const bool heard = pumpUntil([&] {
            const LONG entry = walked.selected() + 1;
            return entry > 0 && !toldOn(*walked.control, EVENT_OBJECT_FOCUS, entry).empty() &&
                   (!moves || !toldOn(*walked.control, EVENT_OBJECT_SELECTION, entry).empty());
        });
        pumpFor(300);
        report(step.keyName);
        const int selected = walked.selected();
        ASSERT_GE(selected, 0) << step.keyName << ": nothing selected";
        const std::string shown = walked.shown();
        EXPECT_TRUE(heard) << step.keyName << " told a reader nothing of entry " << selected;
        for (const std::string& name : toldOn(*walked.control, EVENT_OBJECT_FOCUS, selected + 1))
            EXPECT_EQ(name, shown) << step.keyName << ": the focused entry's name";
        if (walked.readByValue && moves) {
            EXPECT_EQ(toldOn(*walked.control, EVENT_OBJECT_VALUECHANGE, CHILDID_SELF),
                      std::vector<std::string>{shown})
                << step.keyName << ": the value";
        }
        EXPECT_EQ(shown.rfind(step.expected, 0), 0u)
            << step.keyName << " moved to " << shown << ", not " << step.expected;
    }
}

} // namespace
