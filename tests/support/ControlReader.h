#pragma once
// What a screen reader reads of a control through the system's accessibility interface (ATK on
// Linux, IAccessible on Windows): the objects the reader itself is handed, asked in the process.
#include <string>
#include <vector>

class wxWindow;

struct ReaderView {
    std::string role; // in the system's English words: "list", "combo box"
    std::string name;
    std::vector<std::string> entries;
    int selected = -1;
};

ReaderView readControl(wxWindow& control);
