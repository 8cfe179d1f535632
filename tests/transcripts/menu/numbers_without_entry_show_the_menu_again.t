# 7, -1 and 32768 (whose low 16 bits are -32768) name no entry: a blank line,
# then the whole menu again. The end of the input then ends the program as 0.
[screen menu]
«7»
 ↵
[screen menu]
«-1»
 ↵
[screen menu]
«32768»
 ↵
[screen menu]
 ↵
[exit 0]
