# 100,000 array element writes, then 100,000 reads of them.
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    set a($i) $i
}
set sum 0
for {set i 0} {[expr {$i < 100000}]} {incr i} {
    set sum [expr {$sum + $a($i)}]
}
puts $sum
