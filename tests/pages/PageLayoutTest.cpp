// The pages as a person sees them with the demo's texts, in each of its languages, at the text
// scale the run is given (the suite runs again at larger scales): no text is cut and no two
// controls lie over one another.
#include "controls/TestDrives.h"
#include "pages/AgreementPage.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "pages/LanguagePage.h"
#include "script/SetupScript.h"
#include "ui/ToolkitMetrics.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The controls that show a text of their own, and everything else that takes room.
struct Placed {
    wxWindow* control;
    bool showsText;
};

std::vector<Placed> placedControls(wxWindow& page) {
    std::vector<Placed> placed;
    for (wxWindow* control : page.GetChildren()) {
        if (!control->IsShown() || dynamic_cast<wxStaticBox*>(control))
            continue; // a frame holds the controls it surrounds
        const bool text =
            dynamic_cast<wxStaticText*>(control) || dynamic_cast<wxButton*>(control) ||
            dynamic_cast<wxRadioButton*>(control) || dynamic_cast<wxCheckBox*>(control);
        placed.push_back({control, text && !control->GetLabel().empty()});
    }
    return placed;
}

// A control as a finding names it: its text, or its kind.
std::string name(wxWindow& control) {
    const wxString label = control.GetLabel();
    return label.empty() ? wxString(control.GetClassInfo()->GetClassName()).utf8_string()
                         : "\"" + label.utf8_string() + "\"";
}

// Every text fits its control and no control covers another; the findings, one per line.
std::string layoutFaults(wxWindow& page) {
    std::string faults;
    const std::vector<Placed> placed = placedControls(page);
    for (const Placed& each : placed) {
        const wxString label = each.control->GetLabel();
        if (each.showsText) {
            const int needed = toolkit::neededWidth(each.control);
            if (needed > each.control->GetSize().x)
                faults += "\"" + label.utf8_string() + "\" needs " + std::to_string(needed) +
                          " pixels, has " + std::to_string(each.control->GetSize().x) + "\n";
        }
        // Places in dialog units, turned into pixels one by one, may share a pixel's row.
        const wxRect inner = each.control->GetRect().Deflate(1);
        for (const Placed& other : placed)
            if (other.control > each.control &&
                inner.Intersects(other.control->GetRect().Deflate(1)))
                faults += name(*each.control) + " and " + name(*other.control) + " overlap\n";
    }
    return faults;
}

class PageLayout : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        drives.add('c', "fixed", "SYSTEM");
        drives.makeFolders('c', "Games");
        drives.install();
    }
    SetupScript script() const {
        const char* source = std::getenv("SETUP_SOURCE_DIR");
        return SetupScript(std::string(source ? source : ".") + "/demo/medium/install.ini",
                           GetParam());
    }
    TestDrives drives;
};

TEST_P(PageLayout, noTextIsCutAndNoControlCoversAnother) {
    const char* scale = std::getenv("GDK_DPI_SCALE");
    SCOPED_TRACE(std::string("text scale ") + (scale ? scale : "1"));
    const SetupScript language = script();
    std::vector<std::unique_ptr<wxDialog>> pages;
    pages.push_back(std::make_unique<LanguagePage>(nullptr, language));
    pages.push_back(std::make_unique<AgreementPage>(nullptr, language));
    pages.push_back(std::make_unique<InstallTypePage>(nullptr, language));
    pages.push_back(
        std::make_unique<DirectoryPage>(nullptr, "C:\\Games\\Moonrise Harbour", language));
    for (const auto& page : pages) {
        page->Show();
        wxYield();
        EXPECT_EQ(layoutFaults(*page), "") << page->GetTitle().utf8_string();
        const wxSize size = page->GetClientSize();
        std::printf("%s: %dx%d\n", page->GetTitle().utf8_string().c_str(), size.x, size.y);
    }
}

INSTANTIATE_TEST_SUITE_P(DemoLanguages, PageLayout, testing::Values("English", "Polski"));

} // namespace
