// The label in front of the program's own code. The C runtime's start-up code
// comes first in the executable's code; this object is put on the link line
// ahead of the program's, so its (empty) code lies between the two. A
// run-time error report uses it and the label of own_code_end.cpp to tell the
// program's lines from the start-up code and the libraries linked into the
// same executable.
asm(R"(
  .text
  .globl tanshukuOwnCodeStart
tanshukuOwnCodeStart:
)");
