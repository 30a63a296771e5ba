#pragma once
// The install type: minimal, standard or full, answered as the name of the script section
// that lists what to copy ("min", "std", "max").
#include <wx/dialog.h>

#include <string>

class SetupScript;

class InstallTypePage : public wxDialog {
public:
    InstallTypePage(wxWindow* parent, const SetupScript& script);

    std::string getInstallMode() const { return installMode; }

    static constexpr int kMinimalId = 1022;
    static constexpr int kStandardId = 1023;
    static constexpr int kFullId = 1024;
    static constexpr int kGroupId = 1025;

private:
    void choose(int choiceId);

    std::string installMode = "std";
};
