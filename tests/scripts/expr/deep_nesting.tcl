# Nesting past 1,000 groups is refused before any work is done for it.
set s 1
loop i 0 1001 {set s "($s)"}
puts [catch {expr $s}]
set s 1
loop i 0 999 {set s "($s)"}
puts [expr $s]
