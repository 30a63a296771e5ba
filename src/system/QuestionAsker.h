#pragma once
// Yes/No questions and messages to the person, behind an interface so that the finishing actions and the
// install sequence need no window: the pages and boxes answer for a person, the command line or a
// test's script of values otherwise.
#include <string>

// The answer Enter gives: the box's default button.
enum class DefaultAnswer { Yes, No };

class QuestionAsker {
public:
    virtual ~QuestionAsker() = default;
    // True when the answer is Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption,
                          DefaultAnswer byDefault) = 0;
    // A message the person only reads.
    virtual void inform(const std::string& text, const std::string& caption) = 0;
};
