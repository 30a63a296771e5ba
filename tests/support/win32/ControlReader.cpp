#include "support/ControlReader.h"

#include <wx/window.h>

#include <windows.h>

#include <oleacc.h>

namespace {

std::string narrow(const wchar_t* text) {
    return text ? wxString(text).utf8_string() : std::string();
}

std::string nameOf(IAccessible* object, LONG child) {
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    std::string result;
    if (object->get_accName(id, &name) == S_OK)
        result = narrow(name);
    SysFreeString(name);
    return result;
}

} // namespace

ReaderView readControl(wxWindow& control) {
    ReaderView view;
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(static_cast<HWND>(control.GetHandle()), OBJID_CLIENT,
                                   IID_IAccessible, reinterpret_cast<void**>(&object)) != S_OK)
        return view;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    VariantInit(&role);
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        wchar_t text[64] = {};
        GetRoleTextW(role.lVal, text, 64);
        view.role = wxString(narrow(text)).Lower().utf8_string();
    }
    view.name = nameOf(object, CHILDID_SELF);
    LONG count = 0;
    (void)object->get_accChildCount(&count);
    for (LONG child = 1; child <= count; ++child)
        view.entries.push_back(nameOf(object, child));
    VARIANT selection;
    VariantInit(&selection);
    if (object->get_accSelection(&selection) == S_OK && selection.vt == VT_I4)
        view.selected = selection.lVal - 1;
    VariantClear(&selection);
    object->Release();
    return view;
}
