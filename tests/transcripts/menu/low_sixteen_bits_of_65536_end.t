# Only the low 16 bits of the answer count: 65536 is 0 and ends the program.
[screen menu]
«65536»
 ↵
[exit 0]
