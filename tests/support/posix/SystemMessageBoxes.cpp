#include "support/SystemMessageBoxes.h"

// The Linux desktops have no message box of the system's: the toolkit's boxes reach the hooks.
void answerSystemMessageBoxesThroughModalHooks() {}
