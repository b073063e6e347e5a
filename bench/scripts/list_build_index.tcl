# Builds a 100,000-element list with lappend, then reads every element back
# by index and adds them up.
set l {}
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    lappend l $i
}
set sum 0
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    set sum [expr {$sum + [lindex $l $i]}]
}
puts $sum
