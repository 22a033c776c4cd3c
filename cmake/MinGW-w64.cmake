# Cross-builds the Win32 programs with Debian's MinGW-w64 (x86_64, posix
# threads). Used by the win32 preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NAV_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NAV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NAV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${NAV_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NAV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program runs on a bare Windows: no MinGW runtime DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests run the programs under Wine, through a wrapper that gives each run of
# the suite its own headless prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
