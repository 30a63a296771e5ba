#pragma once
// The icon a Windows program carries in its resources, put into the user's icon theme so that the
// program's menu entry shows it, as the system it was made for shows it.
#include <string>

namespace platform::posix {

// Extracts the program's first icon (icoutils' wrestool and icotool) into the hicolor theme of
// the user's data folder, one picture a size; the icon's name for an entry's Icon key, or empty
// when the program has no icon or the tools are not installed.
std::string installProgramIcon(const std::string& nativeProgram);

} // namespace platform::posix
