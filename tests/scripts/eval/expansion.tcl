# {*} splits a word into list elements, each its own word.
trace add resume
set l {a {} $b {c d} [x]}
# each element is one word exactly as the list holds it: $b and [x] stay text
resume {*}$l
resume {*}{p q} r
# a bare {*}word gives the word itself; inside quotes the prefix is plain text
resume {*}abc "{*}abc"
set x "{*}abc"
puts $x
# an empty list expands to nothing
resume {*}{} end
# a {*} at the end of a command expands nothing in the next one
resume {*}
set m "1 2"
resume $m
# expanded words are values, not script: nothing in them is substituted again
set v {*}[list {$x}]
puts $v
puts {*}[list {[y]}]
puts [llength [list {*}{a {} {$b}}]]
