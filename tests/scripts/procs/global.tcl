# global links the global variable; -value sets it only when it is new
proc g1 {} { global gx; set gx 1 }
g1
puts $gx
proc g2 {} { global gy gz -value init; return "$gy $gz" }
puts [g2]
set gy keep
proc g3 {} { global gy -value other; return $gy }
puts [g3]
# a qualified name is linked under its last part
proc g4 {} { global ::qual; set qual Q; return [global ::qual2] }
puts [g4]/$qual
# a failing link reports and answers 0
proc g5 {x} { global x }
puts [catch {g5 1} m]
# static keeps its value between calls, stored as the global p::name
proc p {} { static count 0; incr count; return $count }
p
p
puts [p]
puts ${p::count}
# static at the global level is the global itself
static sg 5
static sg 9
puts $sg
# without a value the variable starts empty
proc q {} { static s; set s "${s}x"; return $s }
puts "[q] [q]"
# too few words
global
