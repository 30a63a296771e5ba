#include "ui/MessageBoxIcons.h"

#include <wx/artprov.h>
#include <wx/bitmap.h>

#include <gtk/gtk.h>

namespace {

wxArtID artOfKind(GtkMessageType kind) {
    switch (kind) {
    case GTK_MESSAGE_ERROR:
        return wxART_ERROR;
    case GTK_MESSAGE_WARNING:
        return wxART_WARNING;
    case GTK_MESSAGE_QUESTION:
        return wxART_QUESTION;
    case GTK_MESSAGE_INFO:
        return wxART_INFORMATION;
    default:
        return {};
    }
}

// The button Enter presses is the one that has the focus, and shows it from the start, so that
// what the box shows is what Enter does; the toolkit leaves the focus on the first button
// whichever is the default, and shows it only after a key.
void showFocus(GtkWidget* box, gpointer) {
    gtk_window_set_focus_visible(GTK_WINDOW(box), TRUE);
}

void focusDefaultButton(GtkWindow* box) {
    if (GtkWidget* button = gtk_window_get_default_widget(box))
        gtk_widget_grab_focus(button);
    // The window takes the desktop's policy again when it is mapped: shown from then on.
    gtk_window_set_focus_visible(box, TRUE);
    g_signal_connect_after(box, "map", G_CALLBACK(showFocus), nullptr);
}

// Runs whenever a widget is realized, before the window is laid out and shown, and adds the icon
// to message dialogs. Setting the image turns the dialog's kind into "other", so a dialog that
// is realized again keeps the one icon.
gboolean addIcon(GSignalInvocationHint*, guint count, const GValue* values, gpointer) {
    GObject* object = count > 0 ? G_OBJECT(g_value_get_object(&values[0])) : nullptr;
    if (object == nullptr || !GTK_IS_MESSAGE_DIALOG(object))
        return TRUE;
    focusDefaultButton(GTK_WINDOW(object));
    GtkMessageType kind = GTK_MESSAGE_OTHER;
    g_object_get(object, "message-type", &kind, nullptr);
    const wxArtID art = artOfKind(kind);
    if (art.empty())
        return TRUE;
    const wxBitmap icon = wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX);
    if (!icon.IsOk())
        return TRUE;
    GtkWidget* image = gtk_image_new_from_pixbuf(icon.GetPixbuf());
    gtk_widget_show(image); // the dialog takes the image as it is, hidden or not
    // The only way to put an image into the toolkit's message dialog; kept for GTK 3's lifetime.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(object), image);
    G_GNUC_END_IGNORE_DEPRECATIONS
    return TRUE; // stays in place for the next box
}

} // namespace

void showIconsInMessageBoxes() {
    static const bool installed = [] {
        const guint realize = g_signal_lookup("realize", GTK_TYPE_WIDGET);
        return g_signal_add_emission_hook(realize, 0, addIcon, nullptr, nullptr) != 0;
    }();
    (void)installed;
}

