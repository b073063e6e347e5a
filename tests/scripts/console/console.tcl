# console subcommands when standard output is a pipe: there is no window.
puts [console hide]
puts [console show]
# hidden answers 1 only while a window shows.
puts [console hidden]
puts [console setfocus]
puts [console move 10 20]
puts [console move 10 20 300 200]
puts [console maximize]
puts [console minimize]
# No full-screen mode without a terminal.
puts [console fullscreen]
puts [console center]
puts [console noborders]
puts [console borders]
# scroll changes nothing on a pipe and leaves the result.
set r kept
console scroll 1 1 10 10
puts $r
console scroll 1 1 10 10 -2
# The size of a window that cannot be read.
puts [console width]
puts [console height]
# The attribute is always known.
textcolor white blue
puts [console attribute]
textcolor
puts [console ATTRIBUTE]
# Titles: set_title answers 1, get_title gives it back.
puts [console set_title "Zorak test"]
puts [console get_title]
# The cursor commands answer 0.
puts [console hidecursor]
puts [console showcursor]
puts [console HideCursor]
puts [console ShowCursor]
