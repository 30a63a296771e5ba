// Saves a picture of one page, filled from a small demo script, as a PNG file:
// page_screenshots agreement|install-type|target-folder|drive-list <file.png>. One page per run:
// the screen device of the toolkit gives the first picture of a run only.
#include "controls/DriveComboBox.h"
#include "controls/TestDrives.h"
#include "pages/AgreementPage.h"
#include "pages/DirectoryPage.h"
#include "pages/InstallTypePage.h"
#include "script/SetupScript.h"
#include "ui/DialogResources.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdio>
#include <fstream>
#include <functional>

namespace {

const char* const kScript = "[POL]\n"
                            "IDS_LICENCJA=Umowa licencyjna\n"
                            "IDS_AKCEPT_UMOWE=Akceptuję umowę\n"
                            "IDS_NIE=Powrót\n"
                            "IDS_LICENCE_FILE_NAME=licencja.txt\n"
                            "IDS_RODZAJ_INST=Rodzaj instalacji\n"
                            "IDS_WYBIERZ_INST=Wybierz rodzaj instalacji:\n"
                            "IDS_WERSJA_MIN=Wersja minimalna\n"
                            "IDS_WERSJA_STD=Wersja standardowa\n"
                            "IDS_WERSJA_MAX=Wersja pełna\n"
                            "IDS_DALEJ=Dalej >>\n"
                            "IDS_POWROT=<< Powrót\n"
                            "IDS_NAZWA_GRY=Demo Game\n"
                            "IDS_DYSK=Dysk:\n"
                            "IDS_KATALOG_NAME=Katalog\n";

const char* const kAgreement =
    "UMOWA LICENCYJNA\r\n\r\n"
    "1. Program jest chroniony prawem autorskim. Wolno go zainstalować na jednym komputerze "
    "i używać go zgodnie z przeznaczeniem; ten wiersz jest długi i nie jest zawijany.\r\n"
    "2. Nie wolno go wypożyczać ani odsprzedawać bez zgody wydawcy.\r\n";

void letTheDisplayCatchUp() {
    for (int i = 0; i < 25; ++i) {
        wxMilliSleep(20);
        wxYield();
    }
}

// The picture covers the window and, when given, a second one such as a dropped-down list, which
// is opened once the window stands where the window manager put it.
bool savePicture(wxWindow& window, const wxString& file,
                 const std::function<wxWindow*()>& alsoShownOf = {}) {
    window.Show();
    window.Raise();
    letTheDisplayCatchUp();
    if (alsoShownOf)
        (void)alsoShownOf();
    letTheDisplayCatchUp();
    wxRect rect = window.GetScreenRect();
    wxWindow* alsoShown = alsoShownOf ? alsoShownOf() : nullptr;
    if (alsoShown && alsoShown->IsShown())
        rect.Union(alsoShown->GetScreenRect());
    wxBitmap picture(rect.GetSize(), 24);
    {
        wxMemoryDC target(picture);
        wxScreenDC screen;
        target.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    window.Hide();
    letTheDisplayCatchUp();
    return picture.SaveFile(file, wxBITMAP_TYPE_PNG);
}

bool savePage(const std::string& page, const std::string& scriptPath, const wxString& output) {
    const SetupScript script(scriptPath, "POL");
    if (page == "agreement") {
        AgreementPage agreement(nullptr, script);
        return savePicture(agreement, output);
    }
    if (page == "install-type") {
        InstallTypePage installType(nullptr, script);
        return savePicture(installType, output);
    }
    if (page == "target-folder" || page == "drive-list") {
        DirectoryPage target(nullptr, "C:\\Gry\\Demo Game", script);
        if (page != "drive-list")
            return savePicture(target, output);
        return savePicture(target, output, [&target] {
            if (!target.driveSelector()->GetPopupWindow() ||
                !target.driveSelector()->GetPopupWindow()->IsShown())
                target.driveSelector()->Popup();
            return target.driveSelector()->GetPopupWindow();
        });
    }
    std::fprintf(stderr, "unknown page %s\n", page.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: %s agreement|install-type|target-folder|drive-list <file.png>\n",
                     argv[0]);
        return 2;
    }
    const std::string page = argv[1];
    const wxString output = wxString::FromUTF8(argv[2]);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv))
        return 2;
    wxTheApp->CallOnInit();
    wxInitAllImageHandlers();
    loadDialogResources();
    bool saved = true;
    {
        TestDrives drives;
        drives.add('c', "fixed", "SYSTEM");
        drives.add('d', "fixed", "DANE");
        drives.addEmpty('e', "removable");
        drives.add('f', "remote", "Serwer");
        drives.add('g', "fixed", "Archiwum", true);
        for (const char* folder :
             {"Gry/Inne", "Gry/Przygodowe", "Gry/Strategie", "Program Files/Common Files",
              "Program Files/Internet", "Windows"})
            drives.makeFolders('c', folder);
        const auto setup = drives.makeFolders('c', "Setup");
        std::ofstream(setup / "install.ini") << kScript;
        std::ofstream(setup / "licencja.txt") << kAgreement;
        drives.install();
        CurrentFolderScope current(setup);
        const std::string script = (setup / "install.ini").string();

        saved = savePage(page, script, output);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return saved ? 0 : 1;
}
