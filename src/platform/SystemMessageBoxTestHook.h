#pragma once
// For tests only: the system's message boxes answered by a function instead of a person, as the
// toolkit's modal hook answers its own dialogs. Nothing in the program calls it, so a normal run
// always shows the real box.
#include "platform/SystemMessageBox.h"

#include <functional>

namespace platform {

struct SystemMessageBoxRequest {
    void* owner;
    std::string text;
    std::string caption;
    BoxButtons buttons;
    BoxIcon icon;
    bool noIsDefault;
};

using SystemMessageBoxAnswerer = std::function<BoxAnswer(const SystemMessageBoxRequest&)>;

// Every system message box from now on goes to the answerer; an empty one shows them again.
void answerSystemMessageBoxesWith(SystemMessageBoxAnswerer answerer);

} // namespace platform
