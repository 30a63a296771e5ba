#pragma once
// The small page on which the installer's language is chosen before any text can be looked up,
// so its own texts are fixed English.
#include <wx/dialog.h>

#include <string>

class SetupScript;
class wxComboBox;

class LanguagePage : public wxDialog {
public:
    static constexpr int kLanguageListId = 1017;

    LanguagePage(wxWindow* parent, const SetupScript& script);

    // The text of the list's edit field when the page closed with OK: a listed or typed name.
    const std::string& getChosenLanguage() const { return chosenLanguage; }

    bool TransferDataFromWindow() override;

private:
    void fillLanguages(const SetupScript& script);

    wxComboBox* languageCombo = nullptr;
    std::string chosenLanguage;
};
