#include "controls/OwnerDrawnItem.h"

#include "controls/ControlImages.h"

#include <wx/brush.h>
#include <wx/pen.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>

ItemMetrics measureItemMetrics(const wxWindow& window, const wxFont& font) {
    int width = 0;
    int height = 0;
    window.GetTextExtent(wxString("1Mgj0").Left(4), &width, &height, nullptr, nullptr, &font);
    ItemMetrics metrics;
    metrics.textHeight = height;
    metrics.itemHeight = std::max(height, kIconSize);
    return metrics;
}

static void drawFocusFrame(wxDC& dc, const wxRect& rect) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(controlImage(ControlImage::FocusPattern)));
    dc.DrawRectangle(rect.x, rect.y, rect.width, 1);
    dc.DrawRectangle(rect.x, rect.GetBottom(), rect.width, 1);
    dc.DrawRectangle(rect.x, rect.y, 1, rect.height);
    dc.DrawRectangle(rect.GetRight(), rect.y, 1, rect.height);
}

void drawOwnerDrawnItem(wxDC& dc, const wxRect& rect, const wxFont& font,
                        const ItemMetrics& metrics, const ItemLook& look) {
    const wxColour background =
        wxSystemSettings::GetColour(look.selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);
    const wxColour foreground = wxSystemSettings::GetColour(
        look.selected ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_WINDOWTEXT);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(background));
    dc.DrawRectangle(rect);

    int offset = look.offset;
    if (look.icon) {
        if (look.icon->IsOk())
            dc.DrawBitmap(*look.icon, rect.x + offset,
                          rect.y + (metrics.itemHeight - kIconSize) / 2, true);
        offset += kIconAdvance;
    }
    dc.SetFont(font);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(foreground);
    dc.DrawText(look.text, rect.x + offset, rect.y + (metrics.itemHeight - metrics.textHeight) / 2);

    if (look.focused)
        drawFocusFrame(dc, rect);
}
