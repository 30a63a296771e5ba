// Message boxes shown for real: the toolkit's own dialog, read while it is open, then answered.
#include "app/MessageBox.h"
#include "words/ProgramWords.h"

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

// Calls read with the message dialog on the screen, if one is there yet, then closes it; true
// when there was one.
template <typename Read> bool readOpenBoxAndClose(Read read) {
    bool found = false;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item != nullptr; item = item->next) {
        if (!GTK_IS_MESSAGE_DIALOG(item->data) || !gtk_widget_get_visible(GTK_WIDGET(item->data)))
            continue;
        found = true;
        read(GTK_DIALOG(item->data));
        gtk_dialog_response(GTK_DIALOG(item->data), GTK_RESPONSE_OK);
    }
    g_list_free(windows);
    return found;
}

// Reads the icon of the message dialog on the screen, if one is there yet, and closes it.
gboolean readIconAndClose(gpointer data) {
    auto* box = static_cast<OpenBox*>(data);
    box->found = readOpenBoxAndClose([box](GtkDialog* dialog) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GtkWidget* image = gtk_message_dialog_get_image(GTK_MESSAGE_DIALOG(dialog));
        G_GNUC_END_IGNORE_DEPRECATIONS
        if (image != nullptr && GTK_IS_IMAGE(image) && gtk_widget_get_visible(image) &&
            gtk_image_get_storage_type(GTK_IMAGE(image)) == GTK_IMAGE_PIXBUF) {
            GdkPixbuf* icon = gtk_image_get_pixbuf(GTK_IMAGE(image));
            box->iconWidth = gdk_pixbuf_get_width(icon);
            box->iconPixels.assign(reinterpret_cast<const char*>(gdk_pixbuf_read_pixels(icon)),
                                   gdk_pixbuf_get_byte_length(icon));
        }
    });
    return box->found ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

struct BoxButtons {
    bool found = false;
    std::string yes, no, ok, focused;
};

std::string labelOf(GtkDialog* box, int response) {
    GtkWidget* button = gtk_dialog_get_widget_for_response(box, response);
    return button && GTK_IS_BUTTON(button) ? gtk_button_get_label(GTK_BUTTON(button)) : "";
}

// Reads the buttons of the message dialog on the screen and which of them has the focus, then
// closes it.
gboolean readButtonsAndClose(gpointer data) {
    auto* box = static_cast<BoxButtons*>(data);
    box->found = readOpenBoxAndClose([box](GtkDialog* dialog) {
        box->yes = labelOf(dialog, GTK_RESPONSE_YES);
        box->no = labelOf(dialog, GTK_RESPONSE_NO);
        box->ok = labelOf(dialog, GTK_RESPONSE_OK);
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
        for (const int response : {GTK_RESPONSE_YES, GTK_RESPONSE_NO, GTK_RESPONSE_OK})
            if (focus && focus == gtk_dialog_get_widget_for_response(dialog, response))
                box->focused = labelOf(dialog, response);
    });
    return box->found ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

} // namespace

// The buttons speak the run's language, whatever the desktop's, and the default one has the
// focus, so that Enter does what the box shows.
TEST(MessageBoxTest, ButtonsSpeakTheRunsLanguageAndTheDefaultHasTheFocus) {
    const struct {
        const char* languageId;
        long style;
        BoxButtons expected;
    } cases[] = {
        {"0415", wxYES_NO | wxICON_QUESTION, {true, "_Tak", "_Nie", "", "_Tak"}},
        {"0415", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, {true, "_Tak", "_Nie", "", "_Nie"}},
        {"0415", wxOK | wxICON_ERROR, {true, "", "", "_OK", "_OK"}},
        {"0409", wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, {true, "_Yes", "_No", "", "_No"}},
    };
    for (const auto& c : cases) {
        words::useLanguage(c.languageId);
        BoxButtons box;
        g_timeout_add(20, readButtonsAndClose, &box);
        showMessageBox(nullptr, "Some text", "Caption", c.style);
        const std::string row = std::string(c.languageId) + " " + std::to_string(c.style);
        ASSERT_TRUE(box.found) << row;
        EXPECT_EQ(box.yes, c.expected.yes) << row;
        EXPECT_EQ(box.no, c.expected.no) << row;
        EXPECT_EQ(box.ok, c.expected.ok) << row;
        EXPECT_EQ(box.focused, c.expected.focused) << row;
    }
    words::useLanguage("");
}

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
