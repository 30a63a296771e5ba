#pragma once
// The small page on which the installer's language is chosen before any text can be looked up,
// so its own texts are fixed English.
#include <wx/dialog.h>

#include <string>

class wxComboBox;

class LanguagePage : public wxDialog {
public:
    static constexpr int kLanguageListId = 1017;

    LanguagePage(wxWindow* parent, std::string scriptPath);

    // The text of the list's edit field when the page closed with OK: a listed or typed name.
    const std::string& getChosenLanguage() const { return chosenLanguage; }

    bool TransferDataFromWindow() override;

private:
    void fillLanguages();

    wxComboBox* languageCombo = nullptr;
    std::string chosenLanguage;
    std::string scriptPath;
};
