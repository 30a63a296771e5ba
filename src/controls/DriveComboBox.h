#pragma once
// The drive selector: a read-only drop-down list of the drives a product can be installed on,
// each shown with its icon, root and lower-cased volume label. Filled once, at creation.
#include "controls/OwnerDrawnItem.h"
#include "ui/Accessibility.h"

#include <wx/odcombo.h>

#include <memory>
#include <string>

class DriveComboBox : public wxOwnerDrawnComboBox {
public:
    static constexpr unsigned kShowIcons = 0x4;

    DriveComboBox();
    ~DriveComboBox() override;

    // Creates the control (the rectangle may include the dropped-down list's height), fills it
    // and selects the current folder's drive. Only the low three option bits are kept.
    bool Create(wxWindow* parent, wxWindowID id, const wxRect& rect, unsigned options);

    // Selects the first item that begins, without regard to case, with the path's text up to
    // and including its first backslash; the selection stays when none does.
    void SelectDriveOfPath(const std::string& path);
    // The selected item's root ("d:\"); empty without a selection.
    std::string GetSelectedDrive() const;
    void SelectCurrentDrive();
    // Appends one item per offered drive, without emptying the list first.
    void FillDrives();
    // Takes the parent window's font for measuring and drawing.
    void UpdateFont();
    void LoadImages();

    int GetDriveKind(unsigned int index) const;
    const ItemMetrics& GetItemMetrics() const { return metrics; }

    // Draws item `index` (nothing for -1) into the rectangle.
    void DrawItem(wxDC& dc, const wxRect& rect, int index, bool selected, bool focused) const;

protected:
    void OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    void drawItemWith(wxDC& dc, const wxRect& rect, int index, bool selected, bool focused,
                      const ItemMetrics& measures) const;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, int item, int flags) const override;
    wxCoord OnMeasureItem(size_t item) const override;

private:
    void OnChosen(wxCommandEvent& event);
    void OnDroppedDown(wxCommandEvent& event);
    void OnClosedUp(wxCommandEvent& event);
    int readerSelection() const;
    void OnDroppedListMoved(wxCommandEvent& event);

    ItemMetrics metrics;
    unsigned options = 0;
    wxFont font;
    std::unique_ptr<accessibility::ItemList> readerView;
};
