#pragma once
// Drawing an owner-drawn entry into a bitmap and comparing it with the same picture drawn
// step by step, so that positions are checked to the pixel.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <functional>

inline wxImage drawToImage(wxSize size, const std::function<void(wxDC&)>& draw) {
    wxBitmap bitmap(size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        draw(dc);
    }
    return bitmap.ConvertToImage();
}

inline bool samePixels(const wxImage& a, const wxImage& b) {
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}
