# Cross-builds the program for 64-bit ARM Linux (Debian arm64, 64-bit
# Raspberry Pi OS) with Debian's cross compiler, and runs what it builds, the
# tests included, under qemu-user (scripts/under-qemu) with Debian's arm64
# libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(TANSHUKU_CROSS aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${TANSHUKU_CROSS}-gcc)
set(CMAKE_CXX_COMPILER ${TANSHUKU_CROSS}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${TANSHUKU_CROSS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/under-qemu)
