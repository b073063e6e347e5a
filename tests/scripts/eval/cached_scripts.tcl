# Scripts run again and again are parsed once; what they do must still
# follow every change made between and during their runs.
proc step {i} { return "old$i" }
proc again {n} {
    set out {}
    for {set i 0} {[< $i $n]} {incr i} {
        lappend out [step $i]
        # redefined while the loop that calls it runs
        if {[== $i 1]} { rename step {}; proc step {i} { return "new$i" } }
    }
    return $out
}
puts [again 4]
# an operator command renamed between two runs of the same expression
option expression on
set code {expr {2 + 3}}
puts [eval $code]
rename + plus
proc + {a b} { return "plus($a,$b)" }
puts [catch {eval $code} m] 
puts $m
rename + {}
rename plus +
puts [eval $code]
option expression off
# the same text run against changing variables
set script {set r "<$v>"}
foreach v {a b c} { eval $script; puts $r }
# the list a foreach walks is unset by its own body
set items {x y z}
foreach it $items { puts $it; unset -nocomplain items }
puts [info exists items]
# a syntax error found the first time is found the same way the next time
set bad "puts \$[string index {()} 0]"
for {set k 0} {[< $k 2]} {incr k} { puts [catch {eval $bad} m2]; puts $m2 }
