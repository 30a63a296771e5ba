#include "controls/OwnerDrawnItem.h"

#include "controls/ControlImages.h"

#include <wx/brush.h>
#include <wx/image.h>
#include <wx/pen.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>
#include <map>

int iconScaleFor(int textHeight, int pointSize) {
    // At the ordinary text size a point of the entries' font is 1.5 to 1.7 pixels high (8-point
    // text: 12 or 13 pixels); from about 1.3 times that on, the icons and places double (Wine at
    // 144 dots per inch: 17 pixels; GTK at a text scale of 1.5: 19).
    return pointSize > 0 && textHeight * 100 >= pointSize * 205 ? 2 : 1;
}

ItemMetrics measureItemMetrics(const wxWindow& window, const wxFont& font) {
    int width = 0;
    int height = 0;
    window.GetTextExtent(wxString("1Mgj0").Left(4), &width, &height, nullptr, nullptr, &font);
    ItemMetrics metrics;
    metrics.textHeight = height;
    metrics.scale = iconScaleFor(height, font.GetPointSize());
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
