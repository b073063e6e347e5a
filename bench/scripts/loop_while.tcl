# A while loop with a bracketed expr condition, counting to 1,000,000.
set i 0
while {[expr {$i < 1000000}]} {incr i}
puts $i
