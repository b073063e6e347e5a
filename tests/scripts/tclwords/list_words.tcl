# lset, lmap and lcount.
proc check {script} {
    set code [catch {uplevel 1 $script} m -quiet]
    puts "$code: $m"
}
# lset writes the list back in this dialect's list form
set l {a b c}
puts [lset l 1 {two words}]
puts [lset l 2 {}]
puts $l
# a path of indices, in one word or several, reaches into nested lists
set m {{1 2} {3 {4 5}}}
puts [lset m 1 1 0 X]
puts [lset m {0 1} Y]
# the index just past the end appends, at any depth
set n {a {b}}
puts [lset n end+1 c]
puts [lset n 1 1 d]
# every failure leaves the variable as it was
set keep {a b c}
check {lset keep 3+1 x}
check {lset keep -1 x}
check {lset keep 1 2 x}
check {lset keep one x}
check {lset keep end-- x}
puts $keep
check {lset missing 0 x}
array set arr {k v}
check {lset arr 0 x}
const fixed {a b}
check {lset fixed 0 x}
puts $fixed
check {lset keep}
# lmap: collected results, continue and break, several lists
puts [lmap x {1 2 3 4} {if {[== [% $x 2] 0]} continue; * $x 10}]
puts [lmap x {1 2 3 4} {if {[> $x 2]} break; + $x 1}]
puts [lmap {k v} {a 1 b 2} {set r $k=$v}]
puts [lmap x {a b c} y {1 2} {set r $x$y}]
# the body runs in the caller's scope, so its loop variables remain
puts "$x $y"
# an error in the body ends the loop with its code
check {lmap x {1 2} {error "bad $x"}}
check {lmap {} {1 2} {set x}}
const c 1
check {lmap c {1 2} {set c}}
# the lambda form calls apply for each element
puts [lmap {{s} {string length $s}} {one three {}}]
puts [lmap {{s} {if {[string equal $s b]} {return -code continue}; set s}} {a b c}]
check {lmap {{s} {error "no $s"}} {{p q} r}}
check {lmap {bad} {p q}}
check {lmap x}
check {lmap x {a} y {b}}
# lcount: all elements, or those matching a pattern
puts [lcount {a {b c} "" d}]
puts [lcount {apple Avocado banana} a*]
puts [lcount {apple Avocado banana} a* -nocase]
puts [lcount {apple Avocado banana} a* -not]
puts [lcount {a* a* b} a* -exact]
puts [lcount {} *]
check {lcount {a b} a b}
check {lcount}
