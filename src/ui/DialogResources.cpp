#include "ui/DialogResources.h"

#include "ui/ToolkitMetrics.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/fs_mem.h>
#include <wx/xrc/xmlres.h>

#include <cstddef>

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile dialogTemplateFiles[];

void loadDialogResources() {
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    wxFileSystem::AddHandler(new wxMemoryFSHandler);
    // The templates' texts are the program's own, in place until the script's replace them: the
    // toolkit's catalog, which holds words such as "Cancel", must not translate them.
    wxXmlResource::Get()->SetFlags(wxXmlResource::Get()->GetFlags() & ~wxXRC_USE_LOCALE);
    wxXmlResource::Get()->InitAllHandlers();
    for (const EmbeddedFile* file = dialogTemplateFiles; file->name; ++file) {
        wxMemoryFSHandler::AddFile(file->name, file->data, file->size);
        wxXmlResource::Get()->Load(wxString("memory:") + file->name);
    }
}

bool loadDialogTemplate(wxDialog* dialog, wxWindow* parent, const char* name, wxSize dialogUnits) {
    loadDialogResources();
    if (!wxXmlResource::Get()->LoadDialog(dialog, parent, name))
        return false;
    dialog->SetClientSize(dialog->ConvertDialogToPixels(dialogUnits));
    toolkit::fitControlsToToolkit(dialog);
    toolkit::showFocusFromTheStart(dialog);
    return true;
}

void setControlText(wxWindow* control, const std::string& text) {
    if (!control)
        return;
    const wxWindowID id = control->GetId();
    const bool stockButton = text.empty() && dynamic_cast<wxButton*>(control) && wxIsStockID(id);
    if (stockButton)
        control->SetId(wxID_HIGHEST + 1);
    control->SetLabel(wxString::FromUTF8(text));
    if (stockButton)
        control->SetId(id);
    toolkit::fitControlToText(control);
}
