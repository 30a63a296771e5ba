#pragma once
// One of the texts an IAccessible answers for a child (get_accName, get_accValue,
// get_accDescription), in UTF-8; empty when it answers none.
#include <wx/string.h>

#include <windows.h>

#include <oleacc.h>

#include <string>

using AccessibleTextQuery = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

inline std::string accessibleText(IAccessible* object, VARIANT child, AccessibleTextQuery ask) {
    BSTR text = nullptr;
    std::string result;
    if ((object->*ask)(child, &text) == S_OK && text)
        result = wxString(text).utf8_string();
    SysFreeString(text);
    return result;
}
