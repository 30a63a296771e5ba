#pragma once
// The pages' visible texts come from the setup script, looked up by key when the page opens;
// a missing key leaves the control empty rather than showing the template's text.
#include "script/SetupScript.h"

#include <cstddef>

class wxWindow;

// Sets the label of the page's control `id` (or, with id 0, the page's caption).
void setTextByKey(wxWindow* page, int id, const SetupScript& script, const char* key);

struct TextKey {
    int id;
    const char* key;
};

template <std::size_t N>
void setTextsByKey(wxWindow* page, const SetupScript& script, const TextKey (&keys)[N]) {
    for (const TextKey& entry : keys)
        setTextByKey(page, entry.id, script, entry.key);
}
