#pragma once
// What a screen reader reads of a control through the system's accessibility interface (ATK on
// Linux, IAccessible on Windows): the objects the reader itself is handed, asked in the process.
#include <functional>
#include <string>
#include <vector>

class wxWindow;

struct ReaderView {
    std::string role; // in the system's English words: "list", "combo box"
    std::string name;
    // What a reader speaks with the name: the names of the objects that label it (ATK's
    // labelled-by, ", " between them), or its description (IAccessible).
    std::string readWith;
    std::vector<std::string> entries;
    int selected = -1;
};

ReaderView readControl(wxWindow& control);

// The message box that show() puts on the screen (the system's own where there is one), read as
// a reader meets its window while it is open, then closed with its OK button. An empty view
// when none showed.
ReaderView readMessageBox(const std::function<void()>& show);
