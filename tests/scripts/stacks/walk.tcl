stack create s 5
stack push s a b c
# foreach walks from the bottom; break ends the walk with code 0
set seen {}
puts [catch {stack foreach s v {lappend seen $v; if {eq $v b} break}}]
puts "$seen $v"
# -r... walks from the top; continue goes on with the next item
set seen {}
stack foreach s v {if {eq $v b} continue; lappend seen $v} -rev
puts $seen
# an error in the body ends the walk with its code
puts [catch {stack foreach s v {error boom}}]
# a body that empties or removes the stack walks what was there at the start
set seen {}
stack foreach s v {lappend seen $v; stack clear s}
puts "$seen [stack count s]"
stack push s a b
set seen {}
stack foreach s v {lappend seen $v; stack unset s -nocomplain}
puts "$seen [llength [vars -list s]]"
# an empty stack gives 0 at once
stack create e 2
puts [catch {stack foreach e v {puts never}}]
