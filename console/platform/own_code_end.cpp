// The label behind the program's own code. This file is a library of its
// own, linked after everything else of the program and before the C and C++
// libraries, so its (empty) code comes right after the program's last
// function; the program's code starts with the start-up code (_start) that
// the link puts first, or on Windows at the label of
// windows_own_code_start.cpp. A run-time error report uses the two bounds to tell
// the program's lines from the libraries' code linked into the same
// executable.
asm(R"(
  .text
  .globl tanshukuOwnCodeEnd
tanshukuOwnCodeEnd:
)");
