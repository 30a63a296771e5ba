#pragma once
// Tests act for a setup program in another folder through the backend's own program path.
#ifdef _WIN32
#include "platform/win32/ProgramPath.h"
#else
#include "platform/posix/ProgramPath.h"
#endif
