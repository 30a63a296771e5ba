#include "ui/ToolkitMetrics.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>

// Controls laid out from the text they hold, for either toolkit: the templates measure their texts
// in the system's font of their day, and a font that draws wider would cut them.
namespace toolkit {

namespace {

// The control beside this one, on its right and in its row, nearest first; none when nothing is.
wxWindow* rightNeighbour(wxWindow* control) {
    const wxRect place = control->GetRect();
    wxWindow* nearest = nullptr;
    for (wxWindow* other : control->GetParent()->GetChildren()) {
        const wxRect there = other->GetRect();
        if (other == control || dynamic_cast<wxStaticBox*>(other) ||
            there.x < place.GetRight() - 1 || there.GetBottom() < place.y ||
            there.y > place.GetBottom())
            continue;
        if (!nearest || there.x < nearest->GetRect().x)
            nearest = other;
    }
    return nearest;
}

// The least room between a grown control and its neighbour.
constexpr int kGap = 4;

} // namespace

void fitControlToText(wxWindow* control) {
    const bool label = dynamic_cast<wxStaticText*>(control) ||
                       dynamic_cast<wxRadioButton*>(control) || dynamic_cast<wxCheckBox*>(control);
    const bool button = dynamic_cast<wxButton*>(control);
    if ((!label && !button) || !control->GetParent() || control->GetLabel().empty())
        return;
    const wxRect place = control->GetRect();
    const int missing = neededWidth(control) - place.width;
    if (missing <= 0)
        return;
    const int width = place.width + missing;
    wxWindow* neighbour = rightNeighbour(control);
    if (button) {
        // A button grows about its middle, and further to the left where its neighbour on the
        // right leaves no room.
        int left = place.x - missing / 2;
        if (neighbour)
            left -= std::max(0, left + width + kGap - neighbour->GetRect().x);
        control->SetSize(std::max(kGap, left), place.y, width, place.height);
        return;
    }
    // A label keeps its start; the control after it in its row gives up the room it takes.
    if (neighbour) {
        const wxRect there = neighbour->GetRect();
        const int overlap = place.x + width + kGap - there.x;
        if (overlap > 0 && there.width - overlap > there.width / 2)
            neighbour->SetSize(there.x + overlap, there.y, there.width - overlap, there.height);
    }
    control->SetSize(place.x, place.y, width, place.height);
}

} // namespace toolkit
