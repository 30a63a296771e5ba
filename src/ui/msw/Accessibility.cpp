// The Windows side, through the toolkit's accessibility objects (the system's IAccessible). A
// toolkit built without them leaves the owner-drawn lists unread and the choices without their
// frame. Message boxes need nothing here: the system's box is a dialog whose window text, which
// the system's object names it by, is its caption.
#include "ui/Accessibility.h"

#include <wx/access.h>
#include <wx/control.h>
#include <wx/weakref.h>
#include <wx/window.h>

namespace accessibility {

namespace {

#if wxUSE_ACCESSIBILITY

// A name of our own, and the frame the control is read with; everything else stays with the
// system's reading of the control.
class NamedAccessible : public wxAccessible {
public:
    NamedAccessible(wxWindow* window, const wxString& name) : wxAccessible(window), name(name) {}

    void setName(const wxString& text) { name = text; }
    void setFrame(wxWindow& window) { frame = &window; }

    wxAccStatus GetName(int childId, wxString* out) override {
        if (childId != wxACC_SELF || name.empty())
            return wxACC_NOT_IMPLEMENTED;
        *out = name;
        return wxACC_OK;
    }

    // The system's object of a radio button says nothing of the group box drawn around it, so
    // the frame's text is the description a reader speaks after the choice's own name. Read
    // when asked: the page sets its texts after the tie is made.
    wxAccStatus GetDescription(int childId, wxString* out) override {
        if (childId != wxACC_SELF || !frame)
            return wxACC_NOT_IMPLEMENTED;
        *out = wxControl::RemoveMnemonics(frame->GetLabel());
        return wxACC_OK;
    }

private:
    wxString name;
    wxWeakRef<wxWindow> frame;
};

// The control's object of ours, made the first time it is asked for (the window owns it).
NamedAccessible& ownObject(wxWindow& control) {
    if (auto* named = dynamic_cast<NamedAccessible*>(control.GetAccessible()))
        return *named;
    auto* made = new NamedAccessible(&control, wxString());
    control.SetAccessible(made);
    return *made;
}

// The entries of an owner-drawn list as simple elements 1..n of the control's object.
class ItemListAccessible : public NamedAccessible {
public:
    ItemListAccessible(wxWindow* window, ItemListRole role, ItemListContent content)
        : NamedAccessible(window, wxString()), role(role), content(std::move(content)) {}

    // The control is going away; its entries with it.
    void detach() { content = {}; }
    bool expanded = false;

    ItemListRole kind() const { return role; }
    int count() const { return content.count ? content.count() : 0; }
    int selected() const { return content.selected ? content.selected() : -1; }

    wxAccStatus GetChildCount(int* childCount) override {
        *childCount = count();
        return wxACC_OK;
    }

    wxAccStatus GetChild(int childId, wxAccessible** child) override {
        *child = childId == wxACC_SELF ? this : nullptr;
        return childId <= count() ? wxACC_OK : wxACC_INVALID_ARG;
    }

    wxAccStatus GetName(int childId, wxString* out) override {
        if (childId == wxACC_SELF)
            return NamedAccessible::GetName(childId, out);
        if (childId > count())
            return wxACC_INVALID_ARG;
        *out = content.name(childId - 1);
        return wxACC_OK;
    }

    wxAccStatus GetRole(int childId, wxAccRole* out) override {
        if (childId != wxACC_SELF)
            *out = wxROLE_SYSTEM_LISTITEM;
        else
            *out = role == ItemListRole::ComboBox ? wxROLE_SYSTEM_COMBOBOX : wxROLE_SYSTEM_LIST;
        return wxACC_OK;
    }

    wxAccStatus GetState(int childId, long* state) override {
        const bool focused = GetWindow() && GetWindow()->HasFocus();
        if (childId == wxACC_SELF) {
            *state = wxACC_STATE_SYSTEM_FOCUSABLE | (focused ? wxACC_STATE_SYSTEM_FOCUSED : 0);
            if (role == ItemListRole::ComboBox)
                *state |= expanded ? wxACC_STATE_SYSTEM_EXPANDED : wxACC_STATE_SYSTEM_COLLAPSED;
            return wxACC_OK;
        }
        *state = wxACC_STATE_SYSTEM_SELECTABLE | wxACC_STATE_SYSTEM_FOCUSABLE;
        if (childId - 1 == selected())
            *state |= wxACC_STATE_SYSTEM_SELECTED | (focused ? wxACC_STATE_SYSTEM_FOCUSED : 0);
        return wxACC_OK;
    }

    wxAccStatus GetValue(int childId, wxString* value) override {
        if (childId != wxACC_SELF || role != ItemListRole::ComboBox || selected() < 0)
            return wxACC_NOT_IMPLEMENTED;
        *value = content.name(selected());
        return wxACC_OK;
    }

    wxAccStatus GetFocus(int* childId, wxAccessible** child) override {
        *child = nullptr;
        if (!GetWindow() || !GetWindow()->HasFocus()) {
            *childId = wxACC_SELF;
            return wxACC_FALSE;
        }
        *childId = selected() + 1; // the control itself without a selection
        return wxACC_OK;
    }

    wxAccStatus GetSelections(wxVariant* selections) override {
        if (selected() < 0)
            return wxACC_FALSE;
        *selections = static_cast<long>(selected() + 1);
        return wxACC_OK;
    }

private:
    ItemListRole role;
    ItemListContent content;
};

class MswItemList : public ItemList {
public:
    MswItemList(wxWindow& control, ItemListRole role, ItemListContent content)
        : window(control), object(new ItemListAccessible(&control, role, std::move(content))) {
        window.SetAccessible(object); // the window owns it
        announced = object->selected();
    }

    ~MswItemList() override { object->detach(); }

    void selectionChanged() override {
        const int now = object->selected();
        if (now == announced)
            return;
        announced = now;
        if (now < 0)
            return;
        wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_SELECTION, &window, wxOBJID_CLIENT, now + 1);
        // A closed combo box is read by its value, which is the entry.
        if (object->kind() == ItemListRole::ComboBox)
            wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_VALUECHANGE, &window, wxOBJID_CLIENT,
                                      wxACC_SELF);
        if (window.HasFocus())
            wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_FOCUS, &window, wxOBJID_CLIENT, now + 1);
    }

    void itemsReplaced() override {
        wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_REORDER, &window, wxOBJID_CLIENT, wxACC_SELF);
        announced = -1;
        selectionChanged();
    }

    void expandedChanged(bool expanded) override {
        object->expanded = expanded;
        wxAccessible::NotifyEvent(wxACC_EVENT_OBJECT_STATECHANGE, &window, wxOBJID_CLIENT,
                                  wxACC_SELF);
    }

private:
    wxWindow& window;
    ItemListAccessible* object;
    int announced = -1;
};

#else

class MswItemList : public ItemList {
public:
    MswItemList(wxWindow&, ItemListRole, ItemListContent) {}
    void selectionChanged() override {}
    void itemsReplaced() override {}
    void expandedChanged(bool) override {}
};

#endif

} // namespace

std::unique_ptr<ItemList> exposeItemList(wxWindow& control, ItemListRole role,
                                         ItemListContent content) {
    return std::make_unique<MswItemList>(control, role, std::move(content));
}

void labelControl(wxWindow& control, wxWindow& label) {
    nameControl(control, wxControl::RemoveMnemonics(label.GetLabel()));
}

void nameControl(wxWindow& control, const wxString& name) {
#if wxUSE_ACCESSIBILITY
    ownObject(control).setName(name);
#else
    (void)control;
    (void)name;
#endif
}

void groupChoices(wxWindow& frame, const std::vector<wxWindow*>& choices) {
#if wxUSE_ACCESSIBILITY
    for (wxWindow* choice : choices)
        if (choice)
            ownObject(*choice).setFrame(frame);
#else
    (void)frame;
    (void)choices;
#endif
}

// The system's boxes are named by their captions already (above).
void nameMessageBoxesByCaption() {}

} // namespace accessibility
