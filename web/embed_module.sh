#!/bin/sh
# Writes OUTPUT: the program's script, then its WebAssembly module as base64
# in createTanshuku.wasmBase64, so that the page needs no second file.
#   embed_module.sh SCRIPT MODULE OUTPUT
set -e
{
  cat "$1"
  printf 'createTanshuku.wasmBase64 = "'
  base64 -w0 "$2"
  printf '";\n'
} >"$3.part"
mv "$3.part" "$3"
