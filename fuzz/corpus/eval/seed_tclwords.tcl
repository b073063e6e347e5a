puts [format {%-5s|%+05d|%#x|%.3e|%2$s %1$s} a 42 255 1.5]
puts [scan "12 ab 3.5" "%d %s %f"]
scan "1:2" {%d:%d} a b
puts [binary format A3H4c2 ab 4142 {65 66}]
binary scan abcd a2s1 t n
puts [subst {$a [string length x] \x41}]
puts [apply {{x {y 2}} {list $x $y}} 1]
set l {a {b c}}; lset l 1 0 X
puts [lmap x {1 2 3} {incr x}]
puts [lmap {{v} {string toupper $v}} {a b}]
puts [lcount {a b ab} a* -not]
puts [K $l [set l {}]]
let v = 1 + 2
