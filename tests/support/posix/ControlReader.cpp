#include "support/ControlReader.h"

#include <wx/window.h>

#include <gtk/gtk.h>

namespace {

std::string labelsOf(AtkObject* object) {
    std::string names;
    AtkRelationSet* relations = atk_object_ref_relation_set(object);
    AtkRelation* labelledBy =
        relations ? atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY)
                  : nullptr;
    GPtrArray* targets = labelledBy ? atk_relation_get_target(labelledBy) : nullptr;
    for (guint index = 0; targets && index < targets->len; ++index) {
        const gchar* name = atk_object_get_name(ATK_OBJECT(g_ptr_array_index(targets, index)));
        names += (names.empty() ? "" : ", ") + std::string(name ? name : "");
    }
    if (relations)
        g_object_unref(relations);
    return names;
}

ReaderView readObject(AtkObject* object) {
    ReaderView view;
    view.role = atk_role_get_name(atk_object_get_role(object));
    const gchar* name = atk_object_get_name(object);
    view.name = name ? name : "";
    view.readWith = labelsOf(object);
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

struct OpenBox {
    bool found = false;
    ReaderView view;
};

// Reads the message dialog on the screen, if one is there yet, and closes it.
gboolean readBoxAndClose(gpointer data) {
    auto* box = static_cast<OpenBox*>(data);
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr && !box->found; item = item->next) {
        if (!GTK_IS_MESSAGE_DIALOG(item->data) || !gtk_widget_get_visible(GTK_WIDGET(item->data)))
            continue;
        box->found = true;
        box->view = readObject(gtk_widget_get_accessible(GTK_WIDGET(item->data)));
        gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_OK);
    }
    g_list_free(windows);
    return box->found ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

} // namespace

ReaderView readControl(wxWindow& control) {
    GtkWidget* widget = control.m_wxwindow ? control.m_wxwindow : control.m_widget;
    return readObject(gtk_widget_get_accessible(widget));
}

ReaderView readMessageBox(const std::function<void()>& show) {
    OpenBox box;
    const guint poll = g_timeout_add(50, readBoxAndClose, &box);
    show();
    if (!box.found)
        g_source_remove(poll);
    return box.view;
}
