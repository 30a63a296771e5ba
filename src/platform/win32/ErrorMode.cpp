#include "platform/ErrorMode.h"

#include <windows.h>

namespace platform {

void suppressSystemErrorBoxes() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

} // namespace platform
