#pragma once
#include "system/QuestionAsker.h"

// Asks in a message box with the question icon, owned by the window on top at that moment
// (the main window is minimised while the finishing questions are asked).
class WxQuestionAsker : public QuestionAsker {
public:
    bool askYesNo(const std::string& text, const std::string& caption, bool yesIsDefault) override;
};
