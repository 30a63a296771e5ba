#pragma once
// Sizes in which the toolkits differ, for the controls of our own. One implementation per toolkit
// (ui/gtk, ui/msw), chosen by CMake.
class wxWindow;

namespace toolkit {

// The height of an owner-drawn combo box's field, or -1 for the toolkit's own.
int comboFieldHeight(wxWindow* parent);

// Gives the template's controls the least size the toolkit draws them in, where the template's
// is smaller; each keeps its middle where the template put it.
void fitControlsToToolkit(wxWindow* dialog);

} // namespace toolkit
