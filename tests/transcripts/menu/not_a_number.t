# An answer that is not a number ends the program with run-time error 106.
[screen menu]
«abc»
Runtime error 106 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 106]
