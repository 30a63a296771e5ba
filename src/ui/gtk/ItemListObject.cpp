#include "ui/gtk/ItemListObject.h"

namespace accessibility::gtk {

namespace {

struct SetupItemList {
    GtkWidgetAccessible parent;
    ItemListState* state;
};
struct SetupItemListClass {
    GtkWidgetAccessibleClass parentClass;
};

struct SetupListEntry {
    AtkObject parent;
    int index;
};
struct SetupListEntryClass {
    AtkObjectClass parentClass;
};

GType setup_item_list_get_type();

G_DEFINE_TYPE(SetupListEntry, setup_list_entry, ATK_TYPE_OBJECT)

ItemListState* stateOf(AtkObject* list) {
    if (list == nullptr || !G_TYPE_CHECK_INSTANCE_TYPE(list, setup_item_list_get_type()))
        return nullptr;
    return reinterpret_cast<SetupItemList*>(list)->state;
}

int entryCount(AtkObject* list) {
    const ItemListState* state = stateOf(list);
    return state && state->content.count ? state->content.count() : 0;
}

int selectedEntry(AtkObject* list) {
    const ItemListState* state = stateOf(list);
    return state && state->content.selected ? state->content.selected() : -1;
}

GtkWidget* widgetOf(AtkObject* list) {
    return GTK_IS_ACCESSIBLE(list) ? gtk_accessible_get_widget(GTK_ACCESSIBLE(list)) : nullptr;
}

// --- The entries ---

AtkObject* entryList(AtkObject* entry) {
    return atk_object_get_parent(entry);
}

int entryIndexInParent(AtkObject* entry) {
    return reinterpret_cast<SetupListEntry*>(entry)->index;
}

AtkStateSet* entryStates(AtkObject* entry) {
    AtkStateSet* states = atk_state_set_new();
    AtkObject* list = entryList(entry);
    GtkWidget* widget = widgetOf(list);
    const int index = entryIndexInParent(entry);
    if (stateOf(list) == nullptr || widget == nullptr || index >= entryCount(list)) {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    for (AtkStateType always : {ATK_STATE_ENABLED, ATK_STATE_SENSITIVE, ATK_STATE_SELECTABLE,
                                ATK_STATE_FOCUSABLE, ATK_STATE_VISIBLE})
        atk_state_set_add_state(states, always);
    if (gtk_widget_get_mapped(widget))
        atk_state_set_add_state(states, ATK_STATE_SHOWING);
    if (index == selectedEntry(list)) {
        atk_state_set_add_state(states, ATK_STATE_SELECTED);
        if (gtk_widget_has_focus(widget)) {
            atk_state_set_add_state(states, ATK_STATE_FOCUSED);
            atk_state_set_add_state(states, ATK_STATE_ACTIVE);
        }
    }
    return states;
}

void setup_list_entry_class_init(SetupListEntryClass* entryClass) {
    AtkObjectClass* objectClass = ATK_OBJECT_CLASS(entryClass);
    objectClass->get_index_in_parent = entryIndexInParent;
    objectClass->ref_state_set = entryStates;
}

void setup_list_entry_init(SetupListEntry* entry) {
    entry->index = 0;
}

// --- The list ---

gint listChildCount(AtkObject* list) {
    return entryCount(list);
}

AtkObject* listChild(AtkObject* list, gint index) {
    AtkObject* entry = itemListEntry(list, index);
    return entry ? ATK_OBJECT(g_object_ref(entry)) : nullptr;
}

AtkObjectClass* listParentClass();

AtkStateSet* listStates(AtkObject* list) {
    AtkStateSet* states = listParentClass()->ref_state_set(list);
    const ItemListState* state = stateOf(list);
    if (state && atk_object_get_role(list) == ATK_ROLE_COMBO_BOX) {
        atk_state_set_add_state(states, ATK_STATE_EXPANDABLE);
        if (state->expanded)
            atk_state_set_add_state(states, ATK_STATE_EXPANDED);
    }
    return states;
}

gint selectionCount(AtkSelection* selection) {
    return selectedEntry(ATK_OBJECT(selection)) >= 0 ? 1 : 0;
}

AtkObject* selectedChild(AtkSelection* selection, gint nth) {
    const int selected = selectedEntry(ATK_OBJECT(selection));
    return nth == 0 && selected >= 0 ? listChild(ATK_OBJECT(selection), selected) : nullptr;
}

gboolean isChildSelected(AtkSelection* selection, gint index) {
    return index >= 0 && index == selectedEntry(ATK_OBJECT(selection));
}

void setup_item_list_selection_init(AtkSelectionIface* iface) {
    iface->get_selection_count = selectionCount;
    iface->ref_selection = selectedChild;
    iface->is_child_selected = isChildSelected;
}

G_DEFINE_TYPE_WITH_CODE(SetupItemList, setup_item_list, GTK_TYPE_WIDGET_ACCESSIBLE,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_SELECTION, setup_item_list_selection_init))

AtkObjectClass* listParentClass() {
    return ATK_OBJECT_CLASS(setup_item_list_parent_class);
}

void setup_item_list_class_init(SetupItemListClass* listClass) {
    AtkObjectClass* objectClass = ATK_OBJECT_CLASS(listClass);
    objectClass->get_n_children = listChildCount;
    objectClass->ref_child = listChild;
    objectClass->ref_state_set = listStates;
}

void setup_item_list_init(SetupItemList* list) {
    list->state = nullptr;
}

} // namespace

AtkObject* newItemListObject(GtkWidget* widget, AtkRole role, ItemListState* state) {
    // Made as the toolkit makes a widget's own object, so that focus, place and size work alike.
    auto* list = ATK_OBJECT(g_object_new(setup_item_list_get_type(), "widget", widget, nullptr));
    atk_object_initialize(list, widget);
    atk_object_set_role(list, role);
    reinterpret_cast<SetupItemList*>(list)->state = state;
    return list;
}

void detachItemListState(AtkObject* list) {
    ItemListState* state = stateOf(list);
    if (state == nullptr)
        return;
    reinterpret_cast<SetupItemList*>(list)->state = nullptr;
    for (AtkObject* entry : state->entries)
        if (entry)
            g_object_unref(entry);
    state->entries.clear();
}

AtkObject* itemListEntry(AtkObject* list, int index) {
    ItemListState* state = stateOf(list);
    if (state == nullptr || index < 0 || index >= entryCount(list))
        return nullptr;
    if (state->entries.size() <= static_cast<std::size_t>(index))
        state->entries.resize(index + 1, nullptr);
    AtkObject*& entry = state->entries[index];
    if (entry == nullptr) {
        entry = ATK_OBJECT(g_object_new(setup_list_entry_get_type(), nullptr));
        reinterpret_cast<SetupListEntry*>(entry)->index = index;
        atk_object_set_role(entry, ATK_ROLE_LIST_ITEM);
        atk_object_set_parent(entry, list);
        atk_object_set_name(entry, state->content.name(index).utf8_str());
    }
    return entry;
}

} // namespace accessibility::gtk
