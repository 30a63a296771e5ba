#pragma once
// Sizes and looks in which the toolkits differ, for the windows of our own. One implementation per toolkit
// (ui/gtk, ui/msw), chosen by CMake.
class wxWindow;

namespace toolkit {

// The height of an owner-drawn combo box's field, or -1 for the toolkit's own.
int comboFieldHeight(wxWindow* parent);

// Gives the template's controls the least size the toolkit draws them in, where the template's
// is smaller; each keeps its middle where the template put it.
void fitControlsToToolkit(wxWindow* dialog);

// Gives a control whose text was just set the width that text needs where its place is
// narrower: a label grows to its right, a button about its middle, and a neighbour in the way
// gives up as much of its width. The system draws the template's font in the template's room;
// the toolkit's fonts may be wider.
void fitControlToText(wxWindow* control);
// The width a control needs to show its whole text.
int neededWidth(wxWindow* control);

// Shows which control has the focus from the window's first moment, rather than only after a
// key the toolkit counts as keyboard use: a person who starts with the keyboard sees where its
// first key acts.
void showFocusFromTheStart(wxWindow* window);
// Whether the window shows its focus now.
bool showsFocus(wxWindow* window);

} // namespace toolkit
