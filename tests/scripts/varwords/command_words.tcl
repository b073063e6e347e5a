option autoexec off
# args gives the words of the running call, or a procedure's formal names
proc p {a args} { return [args] }
puts [p 1 2 {3 4}]
puts <[p]>
puts [args p]
proc outer {x} { return [inner2 y z] }
proc inner2 {m n} { return [args] }
puts [outer 1]
puts [catch {args} m]
puts $m
puts [catch {args nosuch} m]
# clearprocs removes procedures by pattern, never the running ones
proc keep_me {} {}
proc drop1 {} {}
proc drop2 {} {}
puts [clearprocs drop*]
puts "[is_proc drop1] [is_proc keep_me]"
proc self {} { return [clearprocs] }
puts [self]
puts "[is_proc self] [is_proc keep_me]"
# on runs the script an index selects, nothing outside the range
puts [on 2 {set r one} {set r two} {set r three}]
puts <[on 0 {set r one}]><[on 4 {set r one}]>
puts [catch {on 1 {error boom}} m]
puts [catch {on x {}} m]
puts $m
puts [catch {on 1.5 {}} m]
puts $m
# chain threads a value through commands as their last word
puts [chain "  Hello  " {string trim} {string toupper}]
proc twice {s} { return $s$s }
puts [chain ab twice {. <} twice]
puts [catch {chain x nosuchcommand} m]
puts $m
puts [catch {chain x {}} m]
puts $m
puts [catch {chain x {error failed}} m]
puts $m
# all and any test elements, or a script with each element in a variable
puts "[all {1 2 true}] [all {1 0}] [all {}] [any {0 0 1}] [any {}] [any {no 0}]"
puts "[all {3 5 7} n {expr $n % 2}] [any {2 4} n {expr $n % 2}]"
set seen {}
puts [any {a b c d} w {lappend seen $w; eq $w b}]
puts $seen
puts [catch {all {1 2} n {error bad}} m]
puts $m
# all takes a list, or a list, a name and a script
all {1} n
