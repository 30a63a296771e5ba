#pragma once
// The system's own message box, where the system has one. Windows does; the Linux desktops leave
// message boxes to the toolkit, so there the answer is "none shown" and the caller shows its own.
#include <optional>
#include <string>

namespace platform {

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Error, Warning, Question, Information };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// Shows a box owned by the native window `owner`, or by none (then the box disables the
// program's other windows itself). `noIsDefault` makes the second button the default.
std::optional<BoxAnswer> showSystemMessageBox(void* owner, const std::string& text,
                                              const std::string& caption, BoxButtons buttons,
                                              BoxIcon icon, bool noIsDefault);

} // namespace platform
