#pragma once
// GTK 3 message dialogs no longer show an icon of their own, so a stop box would look like an
// information box. This gives every message box the icon of its kind (stop, warning, question,
// information) from wx's art provider, which uses the desktop's icon theme and falls back on
// pictures of its own where the theme has none, and gives the focus to the default button, so
// that the button Enter presses is the one that looks it. Once called, it holds for the whole
// program; later calls do nothing. Elsewhere than GTK 3 the system does both itself.
void showIconsInMessageBoxes();
