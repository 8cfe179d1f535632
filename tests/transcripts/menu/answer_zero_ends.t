# Answer 0: a blank line after the answer, then the program ends with 0.
[screen menu]
«0»
 ↵
[exit 0]
