# Cross-compiling for 64-bit Windows with the MinGW-w64 posix-thread compilers of Debian.
# ZOLVARIC_WIN_PREFIX (environment or cache): where the cross-built Qt and libraries are
# installed, several folders separated by ":" or ";".
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Kept in the cache, so a reconfigure started by the build itself (without the
# environment of the first run) still finds the libraries.
if(DEFINED ENV{ZOLVARIC_WIN_PREFIX})
    string(REPLACE ":" ";" zolvaric_win_prefix "$ENV{ZOLVARIC_WIN_PREFIX}")
    set(ZOLVARIC_WIN_PREFIX "${zolvaric_win_prefix}" CACHE STRING
        "Folders with the cross-built Qt and libraries" FORCE)
endif()

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${ZOLVARIC_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
