# A band count that is not a number ends the program with run-time error 106.
[screen menu]
«4»
 ↵
[screen efficiency_introduction]
«two»
Runtime error 106 at $XXXXXXXX↵
  $XXXXXXXX↵
  $XXXXXXXX…↵
↵
[exit 106]
