# Menu 6 shows the guide's three pages, each ending in a pause; text typed
# before Return is discarded (a 6 typed at the last pause does not start the
# guide again), and the menu comes back: it reads the next answer, 7,
# which shows the menu once more.
[screen menu]
«6»
 ↵
[screen guide_page1]
«next please»
[screen guide_page2]
«1»
[screen guide_page3]
«6»
[screen menu]
«7»
 ↵
[screen menu]
«0»
 ↵
[exit 0]
