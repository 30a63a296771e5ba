#pragma once
// What a screen reader learns about our windows beyond what the toolkit tells it by itself: the
// entries of the owner-drawn lists, which the toolkit only paints, and the labels that name the
// controls. One implementation per toolkit (ui/gtk, ui/msw), chosen by CMake.
#include <wx/string.h>

#include <functional>
#include <memory>
#include <vector>

class wxWindow;

namespace accessibility {

enum class ItemListRole { List, ComboBox };

// The entries as the control shows them, asked for whenever a reader wants them.
struct ItemListContent {
    std::function<int()> count;
    std::function<wxString(int)> name;
    std::function<int()> selected; // -1: none
};

// Speaks for an owner-drawn list to assistive technologies. Owned by the control, and destroyed
// before the control's window: the reader then sees an empty list, never a dangling one.
class ItemList {
public:
    virtual ~ItemList() = default;
    // The selected entry may have changed (a key, a click, the program).
    virtual void selectionChanged() = 0;
    // Every entry may have changed (the list was filled again).
    virtual void itemsReplaced() = 0;
    // A drop-down list opened or closed.
    virtual void expandedChanged(bool expanded) = 0;
};

std::unique_ptr<ItemList> exposeItemList(wxWindow& control, ItemListRole role,
                                         ItemListContent content);

// Names the control by the label's text and ties the two, in place of the tie the toolkit guesses
// from the order of the windows.
void labelControl(wxWindow& control, wxWindow& label);
// Gives a control a name of its own, where no label shows one.
void nameControl(wxWindow& control, const wxString& name);
// The choices drawn inside a frame are read with the frame's text.
void groupChoices(wxWindow& frame, const std::vector<wxWindow*>& choices);
// Every message box is named by its caption rather than by its kind ("Question"); call once.
void nameMessageBoxesByCaption();

} // namespace accessibility
