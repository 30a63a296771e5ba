# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
# SETUP_WIN_PREFIX names the folder holding the cross-built static libraries (scripts/windows-deps.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
# The posix thread model gives std::thread and std::mutex; winpthreads is linked statically below.
find_program(CMAKE_C_COMPILER NAMES ${triple}-gcc-posix ${triple}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++-posix ${triple}-g++ REQUIRED)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(DEFINED ENV{SETUP_WIN_PREFIX})
    set(SETUP_WIN_PREFIX $ENV{SETUP_WIN_PREFIX})
endif()
# Checks CMake compiles on its own see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SETUP_WIN_PREFIX)
if(SETUP_WIN_PREFIX)
    list(APPEND CMAKE_FIND_ROOT_PATH ${SETUP_WIN_PREFIX})
    list(APPEND CMAKE_PREFIX_PATH ${SETUP_WIN_PREFIX})
    set(ENV{PKG_CONFIG_LIBDIR} ${SETUP_WIN_PREFIX}/lib/pkgconfig)
    set(ENV{PKG_CONFIG_PATH} "")
    set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
    set(wxWidgets_CONFIG_EXECUTABLE ${SETUP_WIN_PREFIX}/bin/wx-config CACHE FILEPATH "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Only system DLLs at run time: the compiler's own runtime goes into each executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
