# A floating-point series of 200,000 terms through expr: the partial sum of
# 1/k^2, which approaches pi^2/6.
set sum 0.0
set k 1
while {[expr {$k <= 200000}]} {
    set sum [expr {$sum + 1.0 / ($k * $k)}]
    incr k
}
puts $sum
