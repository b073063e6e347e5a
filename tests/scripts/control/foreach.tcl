# One variable walks the list
set s ""
foreach x {a b c} {set s "$s<$x>"}
puts $s
# Several variables take the next elements; missing ones are empty
foreach {a b} {1 2 3 4 5} {puts "$a-$b"}
# Several lists run side by side; the longest decides the rounds
foreach x {1 2 3} y {a b} {puts "$x$y"}
# Braced, quoted and empty elements
set s ""
foreach x "a {b c} {} \"d\"" {set s "$s<$x>"}
puts $s
# A trailing -tail is not a pair
foreach x {p q} {puts -nonewline $x} -tail
puts ""
# continue and break
set s ""
foreach x {1 2 3 4 5} {if {[== $x 2]} continue; if {[== $x 4]} break; set s "$s$x"}
puts $s
# An empty variable list adds no rounds
set n 0
foreach {} {1 2 3} {incr n}
puts "n=$n"
# Words that do not pair up
puts "code [catch {foreach x {1 2} y {}}]"
# A variable that cannot be set ends the command
const c 1
puts "code [catch {foreach c {1 2} {}}]"
# a bracketed number as the body is its own result
puts [foreach i {} [5]]
