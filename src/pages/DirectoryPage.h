#pragma once
// The target folder: an edit box with the path, the folder list for browsing and the drive
// selector for switching drives. The page neither checks nor creates the folder.
#include "words/ProgramWords.h"

#include <wx/dialog.h>

#include <string>

class DirectoryListBox;
class DriveComboBox;
class SetupScript;
class wxStaticText;
class wxTextCtrl;

class DirectoryPage : public wxDialog {
public:
    DirectoryPage(wxWindow* parent, std::string initialPath, const SetupScript& script);

    // The path as the edit box held it when the user accepted.
    const std::string& getChosenFolder() const { return path; }

    void OnDriveChosen(wxCommandEvent& event);
    void OnFolderDoubleClicked(wxCommandEvent& event);
    void OnFolderChanged(wxCommandEvent& event);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    DirectoryListBox* folderList() const { return folders; }
    DriveComboBox* driveSelector() const { return drives; }
    wxTextCtrl* pathEdit() const { return pathBox; }

    static constexpr int kDriveSelectorId = 1007;
    static constexpr int kPathEditId = 1009;
    static constexpr int kFolderListId = 1010;
    static constexpr int kFolderLabelId = 1011;
    static constexpr int kDriveLabelId = 1026;
    // English; shown in the run's language.
    static constexpr const char* kFullPathMessage = words::marked(
        "Please enter a full folder path that starts with a drive, such as C:\\Games.");
    // Windows opens a device for such a name; no folder can be made or found under it.
    static constexpr const char* kDeviceNameMessage =
        words::marked("\"%1\" is a device name in Windows and cannot be a folder name. Please "
                      "choose another name.");
    static constexpr const char* kForbiddenCharacterMessage =
        words::marked("\"%1\" holds a character that Windows does not allow in folder names (* ? "
                      "\" < > |). Please choose another name.");

    // A drive letter, a colon and a backslash: the only start of a folder the installation
    // can be recorded with.

private:
    void createFolderList();
    // Tells the user why the text is not taken; the page stays open.
    bool refuse(const wxString& message);
    void createDriveSelector();
    void nameControlsByLabels();

    wxStaticText* folderLabel = nullptr;
    std::string path;
    std::string initialPath;
    DriveComboBox* drives = nullptr;
    DirectoryListBox* folders = nullptr;
    wxTextCtrl* pathBox = nullptr;
};
