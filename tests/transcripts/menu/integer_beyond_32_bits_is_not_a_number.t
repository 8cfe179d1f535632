# An integer outside the 32-bit range ends the program with run-time error 106.
[screen menu]
«2147483648»
Runtime error 106 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 106]
