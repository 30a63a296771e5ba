#include "platform/ErrorMode.h"

namespace platform {

// POSIX shows no system error boxes for missing media or files: nothing to switch off.
void suppressSystemErrorBoxes() {}

} // namespace platform
