#pragma once
// The folder list: the levels of the shown folder's path (open folders, each indented one step
// further) followed by its subfolders (closed folders). Opening an entry by double-click or
// Enter shows that folder and tells the parent with a folder-changed notification.
#include "controls/FolderTree.h"
#include "controls/OwnerDrawnItem.h"
#include "ui/Accessibility.h"

#include <wx/event.h>
#include <wx/vlbox.h>

#include <memory>
#include <string>

// Posted to the parent after the first filling and after every opening; the event's id is the
// list's id and its integer is kFolderChangedCode.
wxDECLARE_EVENT(EVT_FOLDER_CHANGED, wxCommandEvent);
constexpr int kFolderChangedCode = 101;

class DirectoryListBox : public wxVListBox {
public:
    DirectoryListBox();

    // Creates the list and shows the initial path, or the current folder when it is empty; a
    // path that cannot be shown leaves the list empty without a word.
    bool Create(wxWindow* parent, wxWindowID id, const wxRect& rect,
                const std::string& initialPath);

    // Shows the path; when it cannot be shown the user may retry or fall back to the path
    // shown before.
    void OpenPath(const std::string& path, bool redraw);
    std::string GetCurrentPath() const { return tree.currentPath(); }
    std::string GetSelectedPath() const { return tree.selectedPath(GetSelection()); }
    void NotifyPathChanged();
    bool FillFromPath(const std::string& path);
    int AddPathLevels(std::string& path);
    void UpdateFont();
    void LoadImages();

    // Opens the selected entry, as a double-click or Enter does; false with nothing selected.
    bool OpenSelected();

    const FolderTree& GetTree() const { return tree; }
    const ItemMetrics& GetItemMetrics() const { return metrics; }
    // The folder-error message for a path.
    static wxString FolderErrorMessage(const std::string& path);

    void DrawItem(wxDC& dc, const wxRect& rect, size_t index, bool selected, bool focused) const;
    // The entry the keys act on, framed while the list has the focus: the selected one, or the
    // first when none is, as the system's lists keep their caret there.
    int focusedEntry() const;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
    wxCoord OnMeasureItem(size_t n) const override;

private:
    void OnDoubleClick(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnFocusChanged(wxFocusEvent& event);
    void OnSelected(wxCommandEvent& event);
    void FocusNextControl();
    void showEntries();
    bool askToRetry(const std::string& path);

    FolderTree tree;
    ItemMetrics metrics;
    wxFont font;
    std::unique_ptr<accessibility::ItemList> readerView;
};
