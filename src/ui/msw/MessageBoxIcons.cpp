#include "ui/MessageBoxIcons.h"

// The system's message boxes draw the icon of their kind themselves.
void showIconsInMessageBoxes() {}
