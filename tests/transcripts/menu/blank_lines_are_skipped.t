# Empty and blank lines before the answer write nothing; the menu keeps
# waiting. The rest of the answer line is discarded.
[screen menu]
«»
«   »
«\x09»
«  0 and the rest»
 ↵
[exit 0]
