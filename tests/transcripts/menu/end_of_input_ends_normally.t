# The input ends while the menu waits: one blank line, exit code 0.
[screen menu]
 ↵
[exit 0]
