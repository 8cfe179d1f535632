# The two blank lines after menu 3's result and its closing pause.
 ↵
 ↵
                                           リターンキーを押してください↵
«»
