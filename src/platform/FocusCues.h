#pragma once
// Whether a window shows which control has the focus. Windows hides the focus rectangle of a window
// opened with the mouse until the first key; on POSIX the toolkit keeps that state itself.
#include <cstdint>

namespace platform {

// Shows the focus in the native window from now on.
void showFocusCues(std::uintptr_t nativeWindow);
// Whether the native window shows its focus.
bool focusCuesShown(std::uintptr_t nativeWindow);

} // namespace platform
