# foreach over a 50,000-element list, ten times, summing the elements.
set l {}
set i 0
while {[expr {$i < 50000}]} {lappend l $i; incr i}
set sum 0
set round 0
while {[expr {$round < 10}]} {
    foreach x $l {incr sum $x}
    incr round
}
puts $sum
