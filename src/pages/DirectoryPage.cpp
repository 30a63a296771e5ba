#include "pages/DirectoryPage.h"

#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "pages/PageTexts.h"
#include "pages/TargetFolderRefusal.h"
#include "paths/CharacterCount.h"
#include "paths/DrivePath.h"
#include "paths/FolderPath.h"
#include "platform/TextEncoding.h"
#include "script/TextKeys.h"
#include "session/RunLog.h"
#include "ui/Accessibility.h"
#include "ui/DialogResources.h"
#include "words/ProgramWords.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cctype>

DirectoryPage::DirectoryPage(wxWindow* parent, std::string initial, const SetupScript& script)
    : initialPath(std::move(initial)) {
    loadDialogTemplate(this, parent, "dialog134", wxSize(223, 197));
    folderLabel = dynamic_cast<wxStaticText*>(FindWindow(kFolderLabelId));
    pathBox = dynamic_cast<wxTextCtrl*>(FindWindow(kPathEditId));
    static const TextKey texts[] = {
        {0, textkeys::kGameName},
        {kDriveLabelId, textkeys::kDriveLabel},
        {kFolderLabelId, textkeys::kFolderLabel},
        {wxID_OK, textkeys::kNext},
        {wxID_CANCEL, textkeys::kBack},
    };
    setTextsByKey(this, script, texts);
    createFolderList();
    path = initialPath;
    createDriveSelector();
    drives->SelectDriveOfPath(folders->GetCurrentPath());
    nameControlsByLabels();
    TransferDataToWindow();
    Bind(wxEVT_COMBOBOX, &DirectoryPage::OnDriveChosen, this, kDriveSelectorId);
    Bind(wxEVT_LISTBOX_DCLICK, &DirectoryPage::OnFolderDoubleClicked, this, kFolderListId);
    Bind(EVT_FOLDER_CHANGED, &DirectoryPage::OnFolderChanged, this, kFolderListId);
    if (wxWindow* accept = FindWindow(wxID_OK))
        accept->SetFocus();
}

// The template's placeholder gives the list its place; the list takes the placeholder's id
// and its place in the tab order, right after the folder label.
void DirectoryPage::createFolderList() {
    wxWindow* placeholder = FindWindow(kFolderListId);
    const wxRect place = placeholder ? placeholder->GetRect() : wxRect();
    if (placeholder)
        placeholder->Destroy();
    folders = new DirectoryListBox;
    folders->Create(this, kFolderListId, place, initialPath);
    if (folderLabel)
        folders->MoveAfterInTabOrder(folderLabel);
}

// Created last, the selector also comes last in the tab order.
void DirectoryPage::createDriveSelector() {
    wxWindow* placeholder = FindWindow(kDriveSelectorId);
    const wxRect place = placeholder ? placeholder->GetRect() : wxRect();
    drives = new DriveComboBox;
    drives->Create(this, wxID_ANY, place, 0x7);
    if (placeholder)
        placeholder->Destroy();
    drives->SetId(kDriveSelectorId);
}

// The toolkit ties each label to the window created after it; the folder list and the drive
// selector replace their places later, so the ties are made here. The path box has no label of
// its own and holds the folder that the folder label names.
void DirectoryPage::nameControlsByLabels() {
    if (folderLabel) {
        accessibility::labelControl(*folders, *folderLabel);
        if (pathBox)
            accessibility::nameControl(*pathBox, folderLabel->GetLabelText());
    }
    if (wxWindow* driveLabel = FindWindow(kDriveLabelId))
        accessibility::labelControl(*drives, *driveLabel);
}

bool DirectoryPage::TransferDataToWindow() {
    if (!pathBox)
        return true;
    // A longer path is shown whole so that accepting refuses it rather than cutting it short.
    pathBox->SetMaxLength(characterCount(path) > kFolderPathLimit ? 0 : kFolderPathLimit);
    pathBox->ChangeValue(wxString::FromUTF8(path));
    return true;
}

bool DirectoryPage::TransferDataFromWindow() {
    if (!pathBox)
        return true;
    const wxString text = pathBox->GetValue();
    if (text.length() > kFolderPathLimit) {
        return refuse(wxString::FromUTF8(words::translateWith(
            "Please enter no more than %1 characters.", {std::to_string(kFolderPathLimit)})));
    }
    // A relative path would install inside the installer's own folder and be recorded as it
    // was typed; the script has no text for this, so the page says it as the framework would.
    if (!isFullDrivePath(text.utf8_string()))
        return refuse(wxString::FromUTF8(words::translate(kFullPathMessage)));
    const std::string tidy = tidyDrivePath(text.utf8_string());
    const RefusedComponent refused = refusedComponent(tidy);
    if (refused.why == NameRefusal::UnsafeCharacter)
        return refuse(wxString::FromUTF8(words::translateWith(
            "\"%1\" holds a control character or a mark that turns the direction of text: the "
            "folder would show otherwise than it is named. Please choose another name.",
            {platform::withUnsafeCharactersShown(refused.name)})));
    if (refused.why != NameRefusal::None) {
        return refuse(wxString::FromUTF8(words::translateWith(
            refused.why == NameRefusal::DeviceName ? kDeviceNameMessage
                                                   : kForbiddenCharacterMessage,
            {refused.name})));
    }
    if (const std::string refusal = targetFolderRefusal(tidy); !refusal.empty())
        return refuse(wxString::FromUTF8(refusal));
    path = tidy;
    return true;
}

bool DirectoryPage::refuse(const wxString& message) {
    runlog::write("folder refused", message.utf8_string());
    wxMessageBox(message, wxTheApp ? wxTheApp->GetAppDisplayName() : wxString(),
                 wxOK | wxICON_EXCLAMATION, this);
    pathBox->SetFocus();
    return false;
}

// Only the drive letter changes; an empty path stays empty, and so does the path when the list
// shows no drive at all (a lone backslash), which has no letter to give. The first character
// may take more than one byte when the path came from elsewhere than a drive.
static void replaceFirstCharacter(std::string& path, const std::string& shown) {
    if (path.empty() || shown.size() < 2 || shown[1] != ':')
        return;
    std::size_t length = 1;
    while (length < path.size() && (static_cast<unsigned char>(path[length]) & 0xC0) == 0x80)
        ++length;
    path.replace(0, length, 1, shown[0]);
}

void DirectoryPage::OnDriveChosen(wxCommandEvent&) {
    folders->OpenPath(drives->GetSelectedDrive(), true);
    const std::string shown = folders->GetCurrentPath();
    drives->SelectDriveOfPath(shown);
    replaceFirstCharacter(path, shown);
    TransferDataToWindow();
}

void DirectoryPage::OnFolderDoubleClicked(wxCommandEvent&) {
    path = folders->GetCurrentPath();
    TransferDataToWindow();
}

void DirectoryPage::OnFolderChanged(wxCommandEvent&) {
    // Only a double-click takes the shown folder into the path; an opening by Enter does not.
}
