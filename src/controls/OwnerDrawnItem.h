#pragma once
// Measuring and drawing one entry of the owner-drawn drive selector and folder list, which
// look alike: an optional 16 x 16 icon, a text, and a checkerboard frame on the focused entry.
// A larger text size gets the icons and their places at twice the size.
#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/string.h>

class wxWindow;

constexpr int kIconSize = 16;
constexpr int kIconAdvance = 20; // from the icon's left edge to the text

struct ItemMetrics {
    int textHeight = 0;
    int itemHeight = kIconSize; // never lower than an icon
    int scale = 1;              // of the icons, their places and the text's, 1 or 2
};

// 2 when the text is drawn about 1.3 times as large as at the ordinary text size or more, else 1.
int iconScaleFor(int textHeight, int pointSize);

// Measures the height of "1Mgj" in the font, in device pixels.
ItemMetrics measureItemMetrics(const wxWindow& window, const wxFont& font);

struct ItemLook {
    const wxBitmap* icon = nullptr; // null: no icon column at all
    int offset = 3;                 // left edge of the icon (or of the text without icon), at 1x
    wxString text;
    bool selected = false;
    bool focused = false;
};

// The icon at the metrics' scale: itself, or its pixels doubled.
const wxBitmap& iconAtScale(const wxBitmap& icon, int scale);

void drawOwnerDrawnItem(wxDC& dc, const wxRect& rect, const wxFont& font,
                        const ItemMetrics& metrics, const ItemLook& look);
