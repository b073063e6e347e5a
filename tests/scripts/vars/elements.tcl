# assigning an element makes the array; the array reads as <array>
puts [set a(x) 1]
puts [set a]
puts "$a(x) [set a(x)]"
# a plain variable assigned an element becomes an array
set v 5
set v(k) 2
puts "[set v] $v(k)"
# quotes around a subscript are dropped and an escaped blank is a blank
set a("k\ 1") spaced
puts [set {a(k 1)}]
# element keys are case-sensitive
set a(X) upper
puts "$a(x) $a(X)"
# a missing element
puts [catch {set a(zz)} m]
puts $m
# a reference with an empty subscript
puts [catch {set a() 1} m]
puts $m
# an array cannot be assigned a plain value
puts [catch {set a 5} m]
puts $m
# a constant never becomes an array and keeps its value
const c 9
puts [catch {set c(x) 1} m]
puts "$m / $c"
# the evaluator reports a missing element
puts [catch {puts $a(nope)}]
