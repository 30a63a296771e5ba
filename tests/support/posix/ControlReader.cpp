#include "support/ControlReader.h"

#include <wx/window.h>

#include <gtk/gtk.h>

ReaderView readControl(wxWindow& control) {
    ReaderView view;
    GtkWidget* widget = control.m_wxwindow ? control.m_wxwindow : control.m_widget;
    AtkObject* object = gtk_widget_get_accessible(widget);
    view.role = atk_role_get_name(atk_object_get_role(object));
    const gchar* name = atk_object_get_name(object);
    view.name = name ? name : "";
    for (int index = 0; index < atk_object_get_n_accessible_children(object); ++index) {
        AtkObject* entry = atk_object_ref_accessible_child(object, index);
        const gchar* entryName = atk_object_get_name(entry);
        view.entries.push_back(entryName ? entryName : "");
        g_object_unref(entry);
    }
    if (ATK_IS_SELECTION(object)) {
        if (AtkObject* selected = atk_selection_ref_selection(ATK_SELECTION(object), 0)) {
            view.selected = atk_object_get_index_in_parent(selected);
            g_object_unref(selected);
        }
    }
    return view;
}
