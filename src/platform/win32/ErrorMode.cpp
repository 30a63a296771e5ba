#include "platform/ErrorMode.h"

#include <windows.h>

namespace platform {

void suppressSystemErrorBoxes() {
    // Added to the mode the process inherited, so that what its starter chose stays chosen.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

} // namespace platform
