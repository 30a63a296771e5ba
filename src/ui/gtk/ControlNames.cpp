// Names and label ties on GTK. A label's tie is the toolkit's mnemonic widget, which both ends'
// accessible objects report (label-for, labelled-by); naming the control as well lets a reader
// that asks only for names hear the label's text too.
#include "ui/Accessibility.h"
#include "ui/gtk/OwnAccessible.h"

#include <wx/control.h>
#include <wx/window.h>

#include <gtk/gtk.h>

namespace accessibility {

namespace {

AtkObject* accessibleOf(wxWindow& window) {
    GtkWidget* widget = gtk::focusWidget(window);
    return widget ? gtk_widget_get_accessible(widget) : nullptr;
}

// The toolkit ties each label anew to the next window in the tab order whenever that order
// changes (in idle time, after the page has been built); the tie made here is put back.
void keepTie(GObject* label, GParamSpec*, gpointer target) {
    if (gtk_label_get_mnemonic_widget(GTK_LABEL(label)) != target)
        gtk_label_set_mnemonic_widget(GTK_LABEL(label), GTK_WIDGET(target));
}

void dropTie(gpointer label, GtkWidget* target) {
    g_signal_handlers_disconnect_by_func(label, reinterpret_cast<gpointer>(keepTie), target);
}

// Runs whenever a widget is mapped: a message dialog then holds its caption, and is named by it
// rather than by its kind as the toolkit names it.
gboolean nameByCaption(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    GObject* object = count > 0 ? G_OBJECT(g_value_get_object(&values[0])) : nullptr;
    if (object == nullptr || !GTK_IS_MESSAGE_DIALOG(object))
        return TRUE;
    const gchar* caption = gtk_window_get_title(GTK_WINDOW(object));
    if (caption != nullptr && *caption != '\0')
        atk_object_set_name(gtk_widget_get_accessible(GTK_WIDGET(object)), caption);
    return TRUE; // stays in place for the next box
}

} // namespace

void labelControl(wxWindow& control, wxWindow& label) {
    GtkWidget* target = gtk::focusWidget(control);
    if (GTK_IS_LABEL(label.m_widget) && target != nullptr) {
        gtk_label_set_mnemonic_widget(GTK_LABEL(label.m_widget), target);
        g_signal_connect(label.m_widget, "notify::mnemonic-widget", G_CALLBACK(keepTie), target);
        // Gone with either end: the label forgets a target that is being destroyed.
        g_signal_connect_object(target, "destroy", G_CALLBACK(dropTie), label.m_widget,
                                G_CONNECT_SWAPPED);
    }
    nameControl(control, wxControl::RemoveMnemonics(label.GetLabel()));
}

void nameControl(wxWindow& control, const wxString& name) {
    if (AtkObject* object = accessibleOf(control))
        atk_object_set_name(object, name.utf8_str());
}

void groupChoices(wxWindow& frame, const std::vector<wxWindow*>& choices) {
    AtkObject* group = accessibleOf(frame);
    if (group == nullptr)
        return;
    std::vector<AtkObject*> members;
    for (wxWindow* choice : choices)
        if (AtkObject* member = choice ? accessibleOf(*choice) : nullptr)
            members.push_back(member);
    for (AtkObject* member : members) {
        // The toolkit's radio buttons replace their membership relation when first asked and
        // complain when there is none to replace; they find ours.
        for (AtkObject* other : members)
            atk_object_add_relationship(member, ATK_RELATION_MEMBER_OF, other);
        atk_object_add_relationship(member, ATK_RELATION_LABELLED_BY, group);
        atk_object_add_relationship(group, ATK_RELATION_LABEL_FOR, member);
    }
}

void nameMessageBoxesByCaption() {
    static const bool installed = [] {
        const guint map = g_signal_lookup("map", GTK_TYPE_WIDGET);
        return g_signal_add_emission_hook(map, 0, nameByCaption, nullptr, nullptr) != 0;
    }();
    (void)installed;
}

} // namespace accessibility
