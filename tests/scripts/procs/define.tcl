# a procedure is a command; its result is what the body leaves
proc greet {who} { return "hello $who" }
puts [greet world]
puts [is_command greet]
puts [procs gr*]
# defining a name that is already a command fails
puts [catch {proc greet {} {}}]
puts [catch {proc puts {} {}}]
# an element of more than a name and a default is refused
puts [catch {proc bad {{a b c}} {}}]
puts [is_command bad]
# a bracketed default runs once, when the procedure is defined
set calls 0
proc counter {} { global calls; incr calls; return "made$calls" }
proc d1 {{x [counter]}} { return $x }
puts "[d1] [d1] [d1 given] calls=$calls"
# a default that names a variable keeps the reference text
proc d2 {{y $calls}} { return $y }
puts [d2]
# empty, {} and "" defaults are the empty string; quotes around a name come off
proc d3 {{a {}} {b ""} "c"} { return "<$a><$b><$c>" }
puts [d3]
puts [d3 1 2 3]
# words after the body are ignored; proc leaves an empty result
puts "<[proc d4 {} {return 4} extra words]> [d4]"
# a default holding brackets is taken as written
proc dflt {{a x[]y}} {puts $a}
dflt
# too few words
proc onlyname
