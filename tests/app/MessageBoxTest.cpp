// Message boxes shown for real: the toolkit's own dialog, read while it is open, then answered.
#include "app/MessageBox.h"

#include <gtest/gtest.h>
#include <wx/msgdlg.h>

#ifdef __WXGTK3__
#include <gtk/gtk.h>

#include <string>
#include <vector>

namespace {

struct OpenBox {
    bool found = false;
    int iconWidth = 0;
    std::string iconPixels;
};

// Reads the icon of the message dialog on the screen, if one is there yet, and closes it.
gboolean readIconAndClose(gpointer data) {
    auto* box = static_cast<OpenBox*>(data);
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
        if (!GTK_IS_MESSAGE_DIALOG(item->data) || !gtk_widget_get_visible(GTK_WIDGET(item->data)))
            continue;
        box->found = true;
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* image = gtk_message_dialog_get_image(GTK_MESSAGE_DIALOG(item->data));
        G_GNUC_END_IGNORE_DEPRECATIONS
        if (image != nullptr && GTK_IS_IMAGE(image) && gtk_widget_get_visible(image) &&
            gtk_image_get_storage_type(GTK_IMAGE(image)) == GTK_IMAGE_PIXBUF) {
            GdkPixbuf* icon = gtk_image_get_pixbuf(GTK_IMAGE(image));
            box->iconWidth = gdk_pixbuf_get_width(icon);
            box->iconPixels.assign(reinterpret_cast<const char*>(gdk_pixbuf_read_pixels(icon)),
                                   gdk_pixbuf_get_byte_length(icon));
        }
        gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_OK);
    }
    g_list_free(windows);
    return box->found ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

} // namespace

// GTK 3 draws no icon in its message dialogs; ours must show the stop, question and
// information icons, each its own.
TEST(MessageBoxTest, EveryKindOfBoxShowsItsOwnIcon) {
    std::vector<std::string> icons;
    for (const long style :
         {wxOK | wxICON_ERROR, wxYES_NO | wxICON_QUESTION, wxOK | wxICON_INFORMATION}) {
        OpenBox box;
        g_timeout_add(20, readIconAndClose, &box);
        showMessageBox(nullptr, "Some text", "Caption", style);
        ASSERT_TRUE(box.found) << style;
        EXPECT_GE(box.iconWidth, 32) << style;
        icons.push_back(box.iconPixels);
    }
    EXPECT_NE(icons[0], icons[1]);
    EXPECT_NE(icons[1], icons[2]);
    EXPECT_NE(icons[0], icons[2]);
}

#endif
