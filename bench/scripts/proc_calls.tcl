# 300,000 calls of a small procedure that takes two arguments and returns
# their sum.
proc add {a b} {return [expr {$a + $b}]}
set total 0
set i 0
while {[expr {$i < 300000}]} {
    set total [add $total 1]
    incr i
}
puts $total
