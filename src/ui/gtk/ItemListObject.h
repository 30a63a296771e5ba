#pragma once
// The accessible object of an owner-drawn list or drop-down list: a widget's object (focus,
// place, size as the toolkit knows them) whose children are the entries, named, one of them
// selected, and which tells a reader of every change.
#include "ui/Accessibility.h"

#include <gtk/gtk-a11y.h>
#include <gtk/gtk.h>

#include <vector>

namespace accessibility::gtk {

struct ItemListState {
    ItemListContent content;
    bool expanded = false;
    int announced = -1;              // the selected entry readers were last told of
    std::vector<AtkObject*> entries; // one reference each, made when first asked for
};

// A new object for the widget, with one reference for the caller. The state stays the caller's
// and must outlive its use: detachItemListState before the state goes.
AtkObject* newItemListObject(GtkWidget* widget, AtkRole role, ItemListState* state);
void detachItemListState(AtkObject* list);

// The entry's object (no new reference), made when first asked for; null past the end.
AtkObject* itemListEntry(AtkObject* list, int index);

} // namespace accessibility::gtk
