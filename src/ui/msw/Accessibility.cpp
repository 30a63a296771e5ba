// The Windows side. The toolkit's accessibility objects are left out of the static library the
// Windows build links with, so the owner-drawn lists are not read there yet; the labels need
// nothing, as the system ties a static text to the control after it in the tab order.
#include "ui/Accessibility.h"

namespace accessibility {

namespace {

class SilentItemList : public ItemList {
public:
    void selectionChanged() override {}
    void itemsReplaced() override {}
    void expandedChanged(bool) override {}
};

} // namespace

std::unique_ptr<ItemList> exposeItemList(wxWindow&, ItemListRole, ItemListContent) {
    return std::make_unique<SilentItemList>();
}

void labelControl(wxWindow&, wxWindow&) {}
void nameControl(wxWindow&, const wxString&) {}
void groupChoices(wxWindow&, const std::vector<wxWindow*>&) {}
void nameMessageBoxesByCaption() {}

} // namespace accessibility
