# Cross-builds the program for 64-bit Windows with Debian's MinGW-w64 (the
# posix thread model, which GoogleTest needs) and runs what it builds, the
# tests included, under Wine. Wine keeps its settings in a prefix of its own
# inside the build folder, apart from the user's, and stays silent.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TANSHUKU_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TANSHUKU_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TANSHUKU_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TANSHUKU_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TANSHUKU_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/under-wine ${CMAKE_BINARY_DIR}/wine)
