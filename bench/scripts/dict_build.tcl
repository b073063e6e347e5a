# 100,000 dict set into one dictionary variable, then a dict get of each key.
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    dict set d k$i $i
}
set sum 0
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    set sum [expr {$sum + [dict get $d k$i]}]
}
puts $sum
