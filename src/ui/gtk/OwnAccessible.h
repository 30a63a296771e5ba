#pragma once
// The toolkit asks a widget's class for the widget's accessible object and keeps the first it
// made; a window of ours that GTK only paints (a wx panel) must hand out an object of ours
// instead. These helpers do that for single widgets, leaving every other widget as it was.
#include <gtk/gtk.h>

class wxWindow;

namespace accessibility::gtk {

// The widget that takes the keyboard focus for the window, whose object a reader follows.
GtkWidget* focusWidget(wxWindow& window);

// From now on the widget answers with the object (one reference is taken), until the widget is
// destroyed; the object is then detached from it.
void replaceAccessible(GtkWidget* widget, AtkObject* object);

} // namespace accessibility::gtk
