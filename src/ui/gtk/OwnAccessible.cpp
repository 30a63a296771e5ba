#include "ui/gtk/OwnAccessible.h"

#include <wx/window.h>

#include <map>

namespace accessibility::gtk {

namespace {

using AccessibleOf = AtkObject* (*)(GtkWidget*);

GQuark ownAccessibleQuark() {
    static const GQuark quark = g_quark_from_static_string("setup-own-accessible");
    return quark;
}

// The class's own answer, for every widget that has no object of ours.
std::map<GType, AccessibleOf>& classAnswers() {
    static std::map<GType, AccessibleOf> answers;
    return answers;
}

AtkObject* accessibleOf(GtkWidget* widget) {
    if (auto* own =
            static_cast<AtkObject*>(g_object_get_qdata(G_OBJECT(widget), ownAccessibleQuark())))
        return own;
    for (GType type = G_OBJECT_TYPE(widget); type != 0; type = g_type_parent(type)) {
        const auto answer = classAnswers().find(type);
        if (answer != classAnswers().end())
            return answer->second(widget);
    }
    return nullptr;
}

void releaseOwnAccessible(gpointer data) {
    auto* object = static_cast<AtkObject*>(data);
    if (GTK_IS_ACCESSIBLE(object))
        gtk_accessible_set_widget(GTK_ACCESSIBLE(object), nullptr);
    g_object_unref(object);
}

void forgetOwnAccessible(GtkWidget* widget, gpointer) {
    g_object_set_qdata(G_OBJECT(widget), ownAccessibleQuark(), nullptr);
}

} // namespace

GtkWidget* focusWidget(wxWindow& window) {
    return window.m_wxwindow ? window.m_wxwindow : window.m_widget;
}

void replaceAccessible(GtkWidget* widget, AtkObject* object) {
    GtkWidgetClass* widgetClass = GTK_WIDGET_GET_CLASS(widget);
    if (widgetClass->get_accessible != accessibleOf) {
        classAnswers()[G_OBJECT_TYPE(widget)] = widgetClass->get_accessible;
        widgetClass->get_accessible = accessibleOf;
    }
    g_object_set_qdata_full(G_OBJECT(widget), ownAccessibleQuark(), g_object_ref(object),
                            releaseOwnAccessible);
    g_signal_connect(widget, "destroy", G_CALLBACK(forgetOwnAccessible), nullptr);
}

} // namespace accessibility::gtk
