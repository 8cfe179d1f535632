#!/bin/sh
# nec2c as WebAssembly for the page's check: Debian's source (SOURCE, as
# scripts/fetch-nec2c-source unpacks it) compiled by Emscripten as a program
# of its own, never linked with ours, into one script with its module inside
# (OUTPUT), as the page's other modules are (a page opened from its file
# cannot fetch a .wasm beside it). Its files live in memory; it is run by
# callMain, once for each instance: it keeps its state in globals and ends
# with exit(), so every run starts a fresh one.
#   build_nec2c.sh SOURCE OUTPUT
set -eu
source=$1
output=$2
work=$(dirname "$output")/nec2c-build
mkdir -p "$work"
version=$(sed -n 's/^AC_INIT(\[*nec2c\]*, *\[*\([0-9.]*\).*/\1/p' "$source/configure.ac")
cat >"$work/config.h" <<CONFIG
#define PACKAGE "nec2c"
#define VERSION "${version:-1.3}"
#define PACKAGE_STRING "nec2c ${version:-1.3}"
#define HAVE_STDLIB_H 1
#define HAVE_STRING_H 1
#define HAVE_UNISTD_H 1
CONFIG
# nec2c's own code, not ours: its warnings are left to its authors.
NODE_PATH=${NODE_PATH:-/usr/share/nodejs} emcc -O2 -w -I"$work" -DHAVE_CONFIG_H "$source"/*.c -lm \
  -sALLOW_MEMORY_GROWTH=1 -sMODULARIZE -sEXPORT_NAME=createNec2c \
  -sENVIRONMENT=web,worker,node -sSINGLE_FILE -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 \
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=FS,callMain -o "$output"
