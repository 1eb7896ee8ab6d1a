# Cross toolchain: MinGW-w64 for Windows. TOLMARO_ARCH is i686 (the
# program) or x86_64 (for running the tests where only 64-bit Wine works).
if(NOT TOLMARO_ARCH)
    set(TOLMARO_ARCH i686)
endif()
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TOLMARO_ARCH})
set(triple ${TOLMARO_ARCH}-w64-mingw32)
# The posix thread model, which GoogleTest's std::mutex needs.
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/wine_run.sh)
