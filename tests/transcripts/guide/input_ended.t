# With the input ended at the guide, the three pages follow one another, the
# menu comes back and the end of the input there ends the program normally.
[screen menu]
«6»
 ↵
[screen guide_page1]
[screen guide_page2]
[screen guide_page3]
[screen menu]
 ↵
[exit 0]
