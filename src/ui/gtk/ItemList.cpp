// The GTK side of an owner-drawn list: our own accessible object in place of the bare panel's,
// told of every change by the control, and passing each change on as the toolkit's own lists do.
#include "ui/Accessibility.h"
#include "ui/gtk/ItemListObject.h"
#include "ui/gtk/OwnAccessible.h"

#include <wx/window.h>

namespace accessibility {

namespace {

class GtkItemList : public ItemList {
public:
    GtkItemList(wxWindow& control, ItemListRole role, ItemListContent content) {
        state.content = std::move(content);
        widget = gtk::focusWidget(control);
        list = gtk::newItemListObject(
            widget, role == ItemListRole::ComboBox ? ATK_ROLE_COMBO_BOX : ATK_ROLE_LIST, &state);
        gtk::replaceAccessible(widget, list);
        state.announced = selected();
    }

    ~GtkItemList() override {
        gtk::detachItemListState(list);
        g_object_unref(list);
    }

    void selectionChanged() override {
        const int now = selected();
        if (now == state.announced)
            return;
        const int before = state.announced;
        state.announced = now;
        setEntryState(before, false);
        setEntryState(now, true);
        g_signal_emit_by_name(list, "selection-changed");
        if (AtkObject* entry = gtk::itemListEntry(list, now))
            g_signal_emit_by_name(list, "active-descendant-changed", entry);
    }

    void itemsReplaced() override {
        // Readers forget the old entries one by one, as they learnt them.
        for (int index = static_cast<int>(state.entries.size()) - 1; index >= 0; --index) {
            if (AtkObject* entry = state.entries[index]) {
                g_signal_emit_by_name(list, "children-changed::remove", index, entry);
                g_object_unref(entry);
            }
        }
        state.entries.clear();
        const int count = state.content.count();
        for (int index = 0; index < count; ++index)
            g_signal_emit_by_name(list, "children-changed::add", index,
                                  gtk::itemListEntry(list, index));
        state.announced = -1;
        selectionChanged();
    }

    void expandedChanged(bool expanded) override {
        state.expanded = expanded;
        atk_object_notify_state_change(list, ATK_STATE_EXPANDED, expanded);
    }

private:
    int selected() const { return state.content.selected ? state.content.selected() : -1; }

    void setEntryState(int index, bool selected) {
        AtkObject* entry = gtk::itemListEntry(list, index);
        if (entry == nullptr)
            return;
        atk_object_notify_state_change(entry, ATK_STATE_SELECTED, selected);
        if (gtk_widget_has_focus(widget))
            atk_object_notify_state_change(entry, ATK_STATE_FOCUSED, selected);
    }

    gtk::ItemListState state;
    GtkWidget* widget = nullptr;
    AtkObject* list = nullptr;
};

// A control without a window has nothing to show a reader.
class WindowlessItemList : public ItemList {
public:
    void selectionChanged() override {}
    void itemsReplaced() override {}
    void expandedChanged(bool) override {}
};

} // namespace

std::unique_ptr<ItemList> exposeItemList(wxWindow& control, ItemListRole role,
                                         ItemListContent content) {
    if (gtk::focusWidget(control) == nullptr)
        return std::make_unique<WindowlessItemList>();
    return std::make_unique<GtkItemList>(control, role, std::move(content));
}

} // namespace accessibility
