# Only the low 16 bits of the menu answer count: 65542 shows the guide.
[screen menu]
«65542»
 ↵
[screen guide_page1]
[screen guide_page2]
[screen guide_page3]
[screen menu]
 ↵
[exit 0]
