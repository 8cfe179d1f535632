# The menu reads an integer: 1.5 ends the program with run-time error 106.
[screen menu]
«1.5»
Runtime error 106 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 106]
