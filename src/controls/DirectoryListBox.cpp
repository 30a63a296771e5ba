#include "controls/DirectoryListBox.h"

#include "controls/ControlImages.h"
#include "platform/Files.h"
#include "words/ProgramWords.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

wxDEFINE_EVENT(EVT_FOLDER_CHANGED, wxCommandEvent);

namespace {
constexpr int kIndentStart = 3;
constexpr int kIndentStep = 10;
} // namespace

DirectoryListBox::DirectoryListBox() {
    LoadImages();
}

bool DirectoryListBox::Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                              const std::string& initialPath) {
    // Tab, Enter and Escape come to the list itself rather than to the dialog.
    if (!wxVListBox::Create(parent, id, rect.GetPosition(), rect.GetSize(),
                            wxBORDER_THEME | wxWANTS_CHARS | wxVSCROLL | wxALWAYS_SHOW_SB))
        return false;
    UpdateFont();
    SetFont(font);
    metrics = measureItemMetrics(*this, font);
    readerView = accessibility::exposeItemList(
        *this, accessibility::ItemListRole::List,
        {[this] { return static_cast<int>(tree.items().size()); },
         [this](int index) { return wxString::FromUTF8(tree.items()[index].name); },
         [this] { return GetSelection(); }});
    Bind(wxEVT_LISTBOX, &DirectoryListBox::OnSelected, this);
    Bind(wxEVT_LISTBOX_DCLICK, &DirectoryListBox::OnDoubleClick, this);
    Bind(wxEVT_CHAR_HOOK, &DirectoryListBox::OnCharHook, this);
    Bind(wxEVT_SET_FOCUS, &DirectoryListBox::OnFocusChanged, this);
    Bind(wxEVT_KILL_FOCUS, &DirectoryListBox::OnFocusChanged, this);
    (void)FillFromPath(initialPath.empty() ? platform::currentFolder() : initialPath);
    Refresh();
    NotifyPathChanged();
    return true;
}

void DirectoryListBox::LoadImages() {
    loadControlImages();
}

void DirectoryListBox::UpdateFont() {
    font = GetParent() ? GetParent()->GetFont() : GetFont();
}

bool DirectoryListBox::FillFromPath(const std::string& path) {
    const bool filled = tree.fillFromPath(path);
    showEntries();
    return filled;
}

int DirectoryListBox::AddPathLevels(std::string& path) {
    const int levels = tree.addPathLevels(path);
    showEntries();
    return levels;
}

void DirectoryListBox::showEntries() {
    SetSelection(wxNOT_FOUND);
    SetItemCount(tree.items().size());
    if (readerView)
        readerView->itemsReplaced();
}

wxString DirectoryListBox::FolderErrorMessage(const std::string& path) {
    return wxString::FromUTF8(words::translateWith(
        "The folder %1 cannot be opened. Check that the drive holds a medium.", {path}));
}

bool DirectoryListBox::askToRetry(const std::string& path) {
    wxMessageDialog box(wxGetTopLevelParent(this), FolderErrorMessage(path),
                        wxTheApp ? wxTheApp->GetAppDisplayName() : wxString(),
                        wxOK | wxCANCEL | wxICON_ERROR);
    box.SetOKCancelLabels(wxString::FromUTF8(words::translate("&Retry")), wxID_CANCEL);
    return box.ShowModal() == wxID_OK;
}

void DirectoryListBox::OpenPath(const std::string& path, bool redraw) {
    const std::string previous = tree.storedPath();
    std::string target = path;
    while (!FillFromPath(target)) {
        if (askToRetry(target))
            continue;
        if (target == previous)
            break;
        target = previous;
    }
    if (redraw)
        Refresh();
}

void DirectoryListBox::NotifyPathChanged() {
    wxWindow* parent = GetParent();
    if (!parent)
        return;
    auto* event = new wxCommandEvent(EVT_FOLDER_CHANGED, GetId());
    event->SetEventObject(this);
    event->SetInt(kFolderChangedCode);
    wxQueueEvent(parent, event);
}

bool DirectoryListBox::OpenSelected() {
    const int selection = GetSelection();
    const std::string target = GetSelectedPath();
    if (target.empty())
        return false;
    const std::string openedName = tree.items()[selection].name;
    OpenPath(target, false);
    // Users expect to see where they went: the opened folder's level stays selected.
    const int level = tree.findLevel(openedName);
    if (level >= 0)
        SetSelection(level);
    readerView->selectionChanged();
    NotifyPathChanged();
    Refresh();
    return true;
}

void DirectoryListBox::OnSelected(wxCommandEvent& event) {
    readerView->selectionChanged();
    event.Skip();
}

void DirectoryListBox::OnDoubleClick(wxCommandEvent& event) {
    (void)OpenSelected();
    // The parent hears of the double-click too, after the list already shows the folder.
    event.Skip();
}

// The next sibling in the tab order that takes the focus from the keyboard, from the start again
// after the last. The toolkit's own navigation is not used: the list is a container window to it,
// and a Tab from the list that first gets the focus stays inside the list there.
void DirectoryListBox::FocusNextControl() {
    if (!GetParent())
        return;
    const wxWindowList& siblings = GetParent()->GetChildren();
    auto self = siblings.Find(this);
    if (!self)
        return;
    for (auto node = self->GetNext();; node = node->GetNext()) {
        if (!node)
            node = siblings.GetFirst();
        if (node == self)
            return;
        wxWindow* sibling = node->GetData();
        if (sibling->IsShown() && sibling->IsEnabled() && sibling->CanAcceptFocusFromKeyboard() &&
            !sibling->IsTopLevel()) {
            sibling->SetFocusFromKbd();
            return;
        }
    }
}

void DirectoryListBox::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_TAB:
        // Backward as well: the list always hands the focus on to the next control.
        FocusNextControl();
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        (void)OpenSelected();
        return;
    case WXK_ESCAPE:
        if (GetParent())
            wxQueueEvent(GetParent(), new wxCommandEvent(wxEVT_BUTTON, wxID_CANCEL));
        return;
    default:
        event.Skip();
    }
}

void DirectoryListBox::DrawItem(wxDC& dc, const wxRect& rect, size_t index, bool selected,
                                bool focused) const {
    if (index >= tree.items().size())
        return;
    const FolderItem& item = tree.items()[index];
    ItemLook look;
    look.icon =
        &controlImage(item.isPathLevel ? ControlImage::FolderOpen : ControlImage::FolderClosed);
    look.offset = kIndentStart + kIndentStep * item.depth;
    look.text = wxString::FromUTF8(item.name);
    look.selected = selected;
    look.focused = focused;
    drawOwnerDrawnItem(dc, rect, font.IsOk() ? font : GetFont(), metrics, look);
}

void DirectoryListBox::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    DrawItem(dc, rect, n, IsSelected(n), HasFocus() && static_cast<int>(n) == focusedEntry());
}

int DirectoryListBox::focusedEntry() const {
    const int selection = GetSelection();
    if (selection != wxNOT_FOUND)
        return selection;
    return GetItemCount() > 0 ? 0 : wxNOT_FOUND;
}

// The toolkit redraws only the selected entry when the focus comes or goes; with none selected
// the frame is on the first.
void DirectoryListBox::OnFocusChanged(wxFocusEvent& event) {
    if (GetSelection() == wxNOT_FOUND && GetItemCount() > 0)
        RefreshRow(0);
    event.Skip();
}

void DirectoryListBox::OnDrawBackground(wxDC&, const wxRect&, size_t) const {
    // DrawItem fills the whole entry itself.
}

wxCoord DirectoryListBox::OnMeasureItem(size_t) const {
    return metrics.itemHeight;
}
