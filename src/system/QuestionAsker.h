#pragma once
// Yes/No questions to the user, behind an interface so that the finishing actions need no window.
#include <string>

class QuestionAsker {
public:
    virtual ~QuestionAsker() = default;
    // True when the user answers Yes. The default button is Yes or No as given.
    virtual bool askYesNo(const std::string& text, const std::string& caption,
                          bool yesIsDefault) = 0;
};
