#include "controls/DriveComboBox.h"

#include "controls/ControlImages.h"
#include "controls/OfferedDrives.h"
#include "platform/Files.h"
#include "ui/ToolkitMetrics.h"

#include <algorithm>
#include <cstdint>

DriveComboBox::DriveComboBox() {
    LoadImages();
}

bool DriveComboBox::Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                           unsigned createOptions) {
    // The rectangle's height counts the dropped-down list; the field keeps its natural height.
    if (!wxOwnerDrawnComboBox::Create(parent, id, wxString(), rect.GetPosition(),
                                      wxSize(rect.width, toolkit::comboFieldHeight(parent)), 0,
                                      nullptr, wxCB_READONLY))
        return false;
    SetPopupMaxHeight(rect.height);
    options = createOptions & 0x7;
    UpdateFont();
    SetFont(font);
    metrics = measureItemMetrics(*this, font);
    readerView = accessibility::exposeItemList(*this, accessibility::ItemListRole::ComboBox,
                                               {[this] { return static_cast<int>(GetCount()); },
                                                [this](int index) { return GetString(index); },
                                                [this] { return readerSelection(); }});
    FillDrives();
    SelectCurrentDrive();
    Bind(wxEVT_COMBOBOX, &DriveComboBox::OnChosen, this);
    Bind(wxEVT_COMBOBOX_DROPDOWN, &DriveComboBox::OnDroppedDown, this);
    Bind(wxEVT_COMBOBOX_CLOSEUP, &DriveComboBox::OnClosedUp, this);
    // The list to drop down exists once the first drive was added.
    if (wxVListBoxComboPopup* dropped = GetVListBoxComboPopup())
        dropped->Bind(wxEVT_LISTBOX, &DriveComboBox::OnDroppedListMoved, this);
    return true;
}

// The base class closes its dropped list while it is destroyed, after the members are gone.
DriveComboBox::~DriveComboBox() {
    Unbind(wxEVT_COMBOBOX, &DriveComboBox::OnChosen, this);
    Unbind(wxEVT_COMBOBOX_DROPDOWN, &DriveComboBox::OnDroppedDown, this);
    Unbind(wxEVT_COMBOBOX_CLOSEUP, &DriveComboBox::OnClosedUp, this);
    if (wxVListBoxComboPopup* dropped = GetVListBoxComboPopup())
        dropped->Unbind(wxEVT_LISTBOX, &DriveComboBox::OnDroppedListMoved, this);
}

void DriveComboBox::OnChosen(wxCommandEvent& event) {
    readerView->selectionChanged();
    event.Skip();
}

void DriveComboBox::OnDroppedDown(wxCommandEvent& event) {
    readerView->expandedChanged(true);
    // The dropped list marks the selected drive once it is shown.
    CallAfter([this] { readerView->selectionChanged(); });
    event.Skip();
}

void DriveComboBox::OnClosedUp(wxCommandEvent& event) {
    readerView->expandedChanged(false);
    readerView->selectionChanged();
    event.Skip();
}

// While the list is dropped down the arrow keys move through it and the field keeps its drive
// until one is chosen: the reader follows the entry the keys are on.
int DriveComboBox::readerSelection() const {
    wxVListBoxComboPopup* dropped = GetVListBoxComboPopup();
    if (IsPopupShown() && dropped != nullptr)
        return dropped->wxVListBox::GetSelection();
    return GetSelection();
}

void DriveComboBox::OnDroppedListMoved(wxCommandEvent& event) {
    readerView->selectionChanged();
    event.Skip();
}

void DriveComboBox::LoadImages() {
    loadControlImages();
}

void DriveComboBox::UpdateFont() {
    font = GetParent() ? GetParent()->GetFont() : GetFont();
}

void DriveComboBox::FillDrives() {
    for (const OfferedDrive& drive : listOfferedDrives()) {
        const int index = Append(wxString::FromUTF8(drive.text));
        if (index != wxNOT_FOUND)
            SetClientData(index, reinterpret_cast<void*>(static_cast<std::intptr_t>(drive.kind)));
    }
}

int DriveComboBox::GetDriveKind(unsigned int index) const {
    if (index >= GetCount())
        return 0;
    return static_cast<int>(reinterpret_cast<std::intptr_t>(GetClientData(index)));
}

void DriveComboBox::SelectDriveOfPath(const std::string& path) {
    const wxString prefix = wxString::FromUTF8(driveRootPrefix(path)).Lower();
    for (unsigned int i = 0; i < GetCount(); ++i) {
        if (GetString(i).Lower().StartsWith(prefix)) {
            SetSelection(static_cast<int>(i));
            if (readerView)
                readerView->selectionChanged();
            return;
        }
    }
}

std::string DriveComboBox::GetSelectedDrive() const {
    const int selection = GetSelection();
    if (selection == wxNOT_FOUND)
        return {};
    const std::string text = GetString(selection).utf8_string();
    const auto slash = text.find('\\');
    return slash == std::string::npos ? text : text.substr(0, slash + 1);
}

void DriveComboBox::SelectCurrentDrive() {
    SelectDriveOfPath(platform::currentFolder());
}

void DriveComboBox::DrawItem(wxDC& dc, const wxRect& rect, int index, bool selected,
                             bool focused) const {
    drawItemWith(dc, rect, index, selected, focused, metrics);
}

void DriveComboBox::drawItemWith(wxDC& dc, const wxRect& rect, int index, bool selected,
                                 bool focused, const ItemMetrics& measures) const {
    if (index < 0 || index >= static_cast<int>(GetCount()))
        return;
    ItemLook look;
    if (options & kShowIcons)
        look.icon = &driveKindIcon(GetDriveKind(index));
    look.text = GetString(index);
    look.selected = selected;
    look.focused = focused;
    drawOwnerDrawnItem(dc, rect, font.IsOk() ? font : GetFont(), measures, look);
}

void DriveComboBox::OnDrawItem(wxDC& dc, const wxRect& area, int item, int flags) const {
    const bool inField = (flags & wxODCB_PAINTING_CONTROL) != 0;
    wxRect rect = area;
    ItemMetrics look = metrics;
    if (inField && rect.height > look.itemHeight) {
        // The field may be higher than an item: the item sits in its middle.
        rect.y += (rect.height - look.itemHeight) / 2;
        rect.height = look.itemHeight;
    } else if (inField && look.scale > 1 && rect.height < look.itemHeight) {
        // A field lower than the doubled icons shows the drive's icon at its own size.
        look.scale = 1;
        look.itemHeight = std::max(look.textHeight, kIconSize);
        rect.y += (rect.height - look.itemHeight) / 2;
        rect.height = look.itemHeight;
    }
    const int index = inField ? GetSelection() : item;
    const bool selected = (flags & wxODCB_PAINTING_SELECTED) != 0;
    // The field shows the focus while the control has it; the list marks its current item.
    const bool focused = inField ? HasFocus() : selected;
    drawItemWith(dc, rect, index, selected, focused, look);
}

void DriveComboBox::OnDrawBackground(wxDC&, const wxRect&, int, int) const {
    // DrawItem fills the whole item itself.
}

wxCoord DriveComboBox::OnMeasureItem(size_t) const {
    return metrics.itemHeight;
}
