#include "controls/OwnerDrawnItem.h"

#include "controls/ControlImages.h"

#include <wx/brush.h>
#include <wx/image.h>
#include <wx/pen.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>
#include <map>

namespace {
// From this text height on the icons are drawn at twice their size: the entries' 8-point text is
// 13 pixels high at the ordinary text size, 19 at 1.5 times and 25 at twice that size.
constexpr int kDoubleTextHeight = 19;
} // namespace

ItemMetrics measureItemMetrics(const wxWindow& window, const wxFont& font) {
    int width = 0;
    int height = 0;
    window.GetTextExtent(wxString("1Mgj0").Left(4), &width, &height, nullptr, nullptr, &font);
    ItemMetrics metrics;
    metrics.textHeight = height;
    metrics.scale = height >= kDoubleTextHeight ? 2 : 1;
    metrics.itemHeight = std::max(height, kIconSize * metrics.scale);
    return metrics;
}

const wxBitmap& iconAtScale(const wxBitmap& icon, int scale) {
    if (scale == 1 || !icon.IsOk())
        return icon;
    // The shared icons live as long as the program; each is doubled once, the first time.
    static std::map<const wxBitmap*, wxBitmap> doubled;
    auto found = doubled.find(&icon);
    if (found == doubled.end()) {
        wxImage image = icon.ConvertToImage();
        image.Rescale(icon.GetWidth() * 2, icon.GetHeight() * 2, wxIMAGE_QUALITY_NEAREST);
        found = doubled.emplace(&icon, wxBitmap(image)).first;
    }
    return found->second;
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

    int offset = look.offset * metrics.scale;
    if (look.icon) {
        if (look.icon->IsOk())
            dc.DrawBitmap(iconAtScale(*look.icon, metrics.scale), rect.x + offset,
                          rect.y + (metrics.itemHeight - kIconSize * metrics.scale) / 2, true);
        offset += kIconAdvance * metrics.scale;
    }
    dc.SetFont(font);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(foreground);
    dc.DrawText(look.text, rect.x + offset, rect.y + (metrics.itemHeight - metrics.textHeight) / 2);

    if (look.focused)
        drawFocusFrame(dc, rect);
}
